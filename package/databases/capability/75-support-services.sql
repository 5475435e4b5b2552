-- The elements of the support and services pages and of the pop-up settings:
-- 6053 whether the calling application's profile restricted the page layout (class 4237);
-- 6027 the stored pop-up choice and 6028 the widget that stores it (class 4215); 6334 the preset
-- pop-ups and the pop-up features 6340 and 6341 that FDT6334 lists (class 4259); 6005 the toolbox
-- button (class 4135); the support lists 6054 to 6056, filled by their handler (class 4231); the
-- printer-services element 6501 and its pop-up's widgets 6505 to 6508 and code fields 6524 to 6529
-- (class 4260).
INSERT INTO CAP_FEATURES_INFO (Featureid, FeatureName, ClassId, Stringid, DefaultOption, DefaultNonUS, DefaultJapanese) VALUES
  (6005, 'UI_TOOLBOX_BUTTON', 4135, 16005, 1, 1, 1),
  (6027, 'UI_POPUP_CHOICE', 4215, 16027, 1, 1, 1),
  (6028, 'UI_POPUP_STORE', 4215, 16028, 1, 1, 1),
  (6053, 'UI_LAYOUT_RESTRICTED', 4237, 16053, 1, 1, 1),
  (6054, 'UI_SUPPORT_DRIVER', 4231, 16054, 0, 0, 0),
  (6055, 'UI_SUPPORT_FILES', 4231, 16055, 0, 0, 0),
  (6056, 'UI_SUPPORT_STATUS', 4231, 16056, 0, 0, 0),
  (6334, 'UI_PRESET_POPUPS', 4259, 16334, 1, 1, 1),
  (6340, 'UI_POPUP_BORDERLESS', 4259, 16340, 1, 1, 1),
  (6341, 'UI_POPUP_MANUAL_DUPLEX', 4259, 16341, 1, 1, 1),
  (6501, 'UI_PRINTER_SERVICES', 4260, 16501, 1, 1, 1),
  (6505, 'UI_SERVICES_SEND_A', 4260, 16505, 1, 1, 1),
  (6506, 'UI_SERVICES_CLEAR_A', 4260, 16506, 1, 1, 1),
  (6507, 'UI_SERVICES_SEND_B', 4260, 16507, 1, 1, 1),
  (6508, 'UI_SERVICES_CLEAR_B', 4260, 16508, 1, 1, 1),
  (6524, 'UI_PEN_CODE_1', 4260, 16524, 1, 1, 1),
  (6525, 'UI_PEN_CODE_2', 4260, 16525, 1, 1, 1),
  (6526, 'UI_PEN_CODE_3', 4260, 16526, 1, 1, 1),
  (6527, 'UI_PEN_CODE_4', 4260, 16527, 1, 1, 1),
  (6528, 'UI_PEN_CODE_5', 4260, 16528, 1, 1, 1),
  (6529, 'UI_PEN_CODE_CHECK', 4260, 16529, 1, 1, 1);

INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName) VALUES
  (6005, 1, 1, 'Printer Toolbox'),
  (6027, 1, 1, 'Show the message'),
  (6027, 2, 2, 'Do not show the message again'),
  (6028, 1, 1, 'Remember'),
  (6053, 1, 1, 'Layout available'),
  (6053, 2, 2, 'Layout restricted'),
  (6334, 1, 1, 'Default'),
  (6340, 1, 1, 'Show the message'),
  (6340, 2, 2, 'Do not show the message again'),
  (6341, 1, 1, 'Show the message'),
  (6341, 2, 2, 'Do not show the message again'),
  (6501, 1, 1, 'Printer services'),
  (6505, 1, 1, 'Send'),
  (6506, 1, 1, 'Clear'),
  (6507, 1, 1, 'Send'),
  (6508, 1, 1, 'Clear'),
  (6524, 1, 1, ''),
  (6525, 1, 1, ''),
  (6526, 1, 1, ''),
  (6527, 1, 1, ''),
  (6528, 1, 1, ''),
  (6529, 1, 1, '7241');

-- The send buttons are greyed until five codes are typed.
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 2 WHERE Featureid IN (6505, 6507);

-- The pop-up features whose choices the preset pop-up handler keeps.
CREATE TABLE FDT6334 (FeatureID INTEGER NOT NULL);
INSERT INTO FDT6334 VALUES (6340), (6341);

-- The printer-services pop-ups: a row qualifies with ToolBoxSupport '1' and its first column 1;
-- the last qualifying row names the message id and the pop-up container of the layout.
CREATE TABLE FDT6383 (ToolBoxSupport TEXT NOT NULL, MessageID INTEGER NOT NULL, ContainerName TEXT NOT NULL);
INSERT INTO FDT6383 VALUES
  ('0', 212, 'PrinterServicesBasic'),
  ('1', 214, 'PrinterServicesPens');

-- The support lists show lines their handler writes, not options of the database.
UPDATE CAP_FEATURES_INFO SET IsFeatureUserInput = 1 WHERE Featureid IN (6054, 6055, 6056);
