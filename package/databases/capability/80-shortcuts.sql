-- The printing shortcuts (class 4143): the shortcut in use (4143, at most RangeMax shortcuts,
-- predefined and custom together), whether the settings differ from it (4157: 1 no, 2 yes), the
-- reset button (4229), the name box and the save-as, delete and save buttons (6007 to 6010), and the
-- soft-link features of the shortcuts page (6399 and up), each showing a real feature, or two
-- whose options are listed together. Shortcut 9 is the fixed one: its soft-link features are
-- shown greyed, and a lock on the shortcuts keeps only it.
UPDATE CAP_FEATURES_INFO SET RangeMax = 10 WHERE Featureid = 4143;
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4143, 9, 9, 'Basic settings (fixed)', 0, '0', '0');

INSERT INTO CAP_FEATURES_INFO (Featureid, FeatureName, ClassId, Categoryid, Stringid, DefaultOption, DefaultNonUS, DefaultJapanese) VALUES
  (4157, 'FEATURE_SHORTCUT_MODIFIED', 4143, 6, 14157, 1, 1, 1),
  (4229, 'FEATURE_SHORTCUT_RESET', 4143, 6, 14229, 1, 1, 1),
  (6007, 'UI_SHORTCUT_NAME', 4143, 0, 16007, 1, 1, 1),
  (6008, 'UI_SHORTCUT_SAVE_AS', 4143, 0, 16008, 1, 1, 1),
  (6009, 'UI_SHORTCUT_DELETE', 4143, 0, 16009, 1, 1, 1),
  (6010, 'UI_SHORTCUT_SAVE', 4143, 0, 16010, 1, 1, 1),
  (6399, 'UI_SHORTCUT_QUALITY', 4143, 0, 16399, 0, 0, 0),
  (6400, 'UI_SHORTCUT_MEDIA', 4143, 0, 16400, 0, 0, 0),
  (6401, 'UI_SHORTCUT_TWO_SIDED', 4143, 0, 16401, 0, 0, 0),
  (6402, 'UI_SHORTCUT_PAGES_PER_SHEET', 4143, 0, 16402, 0, 0, 0),
  (6403, 'UI_SHORTCUT_GRAY', 4143, 0, 16403, 0, 0, 0);
UPDATE CAP_FEATURES_INFO SET IsFeatureUserInput = 1 WHERE Featureid = 6007;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 2, FeatureState = 2 WHERE Featureid IN (4229, 6008, 6009, 6010);

INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName) VALUES
  (4157, 1, 1, 'Unchanged'),
  (4157, 2, 2, 'Changed'),
  (4229, 1, 1, 'Reset'),
  (6007, 1, 1, ''),
  (6008, 1, 1, 'Save as'),
  (6009, 1, 1, 'Delete'),
  (6010, 1, 1, 'Save');

-- The options a soft-link feature offers are those of its real features with bit 1 of AuxID2.
UPDATE CAP_OPTIONS_INFO SET AuxID2 = 1 WHERE Featureid IN (4115, 4125, 4128, 4130, 4136);
UPDATE CAP_OPTIONS_INFO SET AuxID2 = 1 WHERE Featureid = 4116 AND Optionid IN (256, 258, 259, 261);
UPDATE CAP_OPTIONS_INFO SET AuxID2 = 0 WHERE Featureid = 4130 AND Optionid = 1;

-- One row per setting of a predefined shortcut. FeatureID is the soft-link feature, SoftLinkedFID1
-- and SoftLinkedFID2 the real features it shows; the default columns are the soft-link feature's
-- option (for two-sided printing the linked options 1 to 3 are the two-sided choices and 4, 5 the
-- booklets). MaxDPISupported allows maximum dpi on photo paper for the shortcut's quality.
CREATE TABLE FDT4143 (
  PSOptionID      INTEGER NOT NULL,
  PSName          TEXT,
  CustomBitmapID  INTEGER NOT NULL DEFAULT 0,
  FeatureID       INTEGER NOT NULL,
  FeatureName     TEXT,
  StringID        INTEGER NOT NULL DEFAULT 0,
  SoftLinkState   INTEGER NOT NULL DEFAULT 1,
  SoftLinkedFID1  INTEGER NOT NULL,
  SoftLinkedFID2  INTEGER NOT NULL DEFAULT 0,
  DefaultOptionID INTEGER NOT NULL,
  AuxIndex        INTEGER NOT NULL DEFAULT 2,
  AuxBit          INTEGER NOT NULL DEFAULT 1,
  HelpID          INTEGER NOT NULL DEFAULT 0,
  DefaultNonUS    INTEGER NOT NULL,
  DefaultJapanese INTEGER NOT NULL,
  MaxDPISupported INTEGER NOT NULL DEFAULT 0
);
INSERT INTO FDT4143 (PSOptionID, PSName, CustomBitmapID, FeatureID, FeatureName, StringID, SoftLinkedFID1, SoftLinkedFID2, DefaultOptionID, DefaultNonUS, DefaultJapanese, MaxDPISupported) VALUES
  (1, 'Factory defaults', 401, 6399, 'Print quality', 14115, 4115, 0, 2, 2, 2, 0),
  (1, 'Factory defaults', 401, 6400, 'Paper type', 14116, 4116, 0, 256, 256, 256, 0),
  (1, 'Factory defaults', 401, 6401, 'Print on both sides', 14125, 4125, 4130, 1, 1, 1, 0),
  (1, 'Factory defaults', 401, 6402, 'Pages per sheet', 14128, 4128, 0, 1, 1, 1, 0),
  (2, 'General everyday printing', 402, 6399, 'Print quality', 14115, 4115, 0, 2, 2, 2, 0),
  (2, 'General everyday printing', 402, 6400, 'Paper type', 14116, 4116, 0, 256, 256, 256, 0),
  (2, 'General everyday printing', 402, 6401, 'Print on both sides', 14125, 4125, 4130, 1, 1, 1, 0),
  (3, 'Photo printing, borderless', 403, 6399, 'Print quality', 14115, 4115, 0, 3, 3, 3, 1),
  (3, 'Photo printing, borderless', 403, 6400, 'Paper type', 14116, 4116, 0, 259, 259, 261, 0),
  (4, 'Two-sided printing', 404, 6399, 'Print quality', 14115, 4115, 0, 2, 2, 2, 0),
  (4, 'Two-sided printing', 404, 6401, 'Print on both sides', 14125, 4125, 4130, 2, 2, 2, 0),
  (4, 'Two-sided printing', 404, 6402, 'Pages per sheet', 14128, 4128, 0, 1, 1, 1, 0),
  (5, 'Economy printing', 405, 6399, 'Print quality', 14115, 4115, 0, 1, 1, 1, 0),
  (5, 'Economy printing', 405, 6402, 'Pages per sheet', 14128, 4128, 0, 3, 3, 3, 0),
  (5, 'Economy printing', 405, 6403, 'Print in grayscale', 14136, 4136, 0, 2, 2, 2, 0),
  (9, 'Basic settings (fixed)', 409, 6399, 'Print quality', 14115, 4115, 0, 3, 3, 3, 0),
  (9, 'Basic settings (fixed)', 409, 6400, 'Paper type', 14116, 4116, 0, 256, 256, 256, 0),
  (9, 'Basic settings (fixed)', 409, 6401, 'Print on both sides', 14125, 4125, 4130, 1, 1, 1, 0);
