-- The options of every feature. OptionIndex is the number that the DEVMODE and the PrintTicket
-- carry; VocabIndex limits an option to one UI language (1041: Japanese only) or keeps it from
-- one (-1041: all but Japanese). StringID 0 shows OptionName.
-- 4114 FEATURE_PAPER_SIZE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4114, 256, 256, 'Letter (8.5 x 11 in)', 0, 'psk', 'NorthAmericaLetter'),
  (4114, 257, 257, 'Legal (8.5 x 14 in)', 0, 'psk', 'NorthAmericaLegal'),
  (4114, 258, 258, 'Executive (7.25 x 10.5 in)', -1041, 'psk', 'NorthAmericaExecutive'),
  (4114, 259, 259, 'A4 (210 x 297 mm)', 0, 'psk', 'ISOA4'),
  (4114, 260, 260, 'A5 (148 x 210 mm)', 0, 'psk', 'ISOA5'),
  (4114, 261, 261, 'A6 (105 x 148 mm)', 0, 'psk', 'ISOA6'),
  (4114, 262, 262, 'B5 (182 x 257 mm)', 0, 'psk', 'JISB5'),
  (4114, 263, 263, '4 x 6 in', 0, 'psk', 'NorthAmerica4x6'),
  (4114, 264, 264, '5 x 7 in', 0, 'psk', 'NorthAmerica5x7'),
  (4114, 265, 265, '8 x 10 in', 0, 'psk', 'NorthAmerica8x10'),
  (4114, 266, 266, 'Hagaki (100 x 148 mm)', 1041, 'psk', 'JapanHagakiPostcard'),
  (4114, 267, 267, 'Envelope #10 (4.12 x 9.5 in)', 0, 'psk', 'NorthAmericaNumber10Envelope'),
  (4114, 268, 268, 'Envelope DL (110 x 220 mm)', 0, 'psk', 'ISODLEnvelope'),
  (4114, 269, 269, 'Envelope C5 (162 x 229 mm)', 0, 'psk', 'ISOC5Envelope');
-- 4115 FEATURE_PRINT_QUALITY
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4115, 1, 1, 'Draft', 0, 'psk', 'Draft'),
  (4115, 2, 2, 'Normal', 0, 'psk', 'Normal'),
  (4115, 3, 3, 'Best', 0, 'psk', 'High'),
  (4115, 4, 4, 'Maximum dpi', 0, 'psk', 'Photographic'),
  (4115, 5, 5, 'Maximum dpi on photo paper', 0, 'ns0000', 'ZQMaximumDpiPhoto');
-- 4116 FEATURE_MEDIA_TYPE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4116, 256, 256, 'Plain paper', 0, 'psk', 'Plain'),
  (4116, 257, 257, 'Bright white inkjet paper', 0, 'ns0000', 'ZQBrightWhite'),
  (4116, 258, 258, 'Brochure paper, matte', 0, 'psk', 'BondPaper'),
  (4116, 259, 259, 'Photo paper, glossy', 0, 'psk', 'PhotographicGlossy'),
  (4116, 260, 260, 'Photo paper, soft gloss', 0, 'psk', 'PhotographicSemiGloss'),
  (4116, 261, 261, 'Photo paper, matte', 0, 'psk', 'PhotographicMatte'),
  (4116, 262, 262, 'Transparency film', 0, 'psk', 'Transparency'),
  (4116, 263, 263, 'Envelope', 0, 'psk', 'Envelope'),
  (4116, 264, 264, 'Card stock', 0, 'psk', 'CardStock'),
  (4116, 265, 265, 'Labels', 0, 'psk', 'Label');
-- 4117 FEATURE_INPUT_BIN
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4117, 7, 7, 'Automatically select', 0, 'psk', 'AutoSelect'),
  (4117, 1, 1, 'Main tray', 0, 'psk', 'Cassette'),
  (4117, 9, 9, 'Tray 2', 0, 'ns0000', 'ZQTray2'),
  (4117, 4, 4, 'Rear manual feed', 0, 'psk', 'Manual');
-- 4118 FEATURE_ORIENTATION
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4118, 1, 1, 'Portrait', 0, 'psk', 'Portrait'),
  (4118, 2, 2, 'Landscape', 0, 'psk', 'Landscape');
-- 4119 FEATURE_BORDERLESS
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4119, 1, 1, 'Off', 0, 'psk', 'None'),
  (4119, 2, 2, 'On', 0, 'psk', 'Borderless');
-- 4120 FEATURE_FIT_TO_SIZE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4120, 1, 1, 'Off', 0, 'psk', 'None'),
  (4120, 2, 2, 'On', 0, 'ns0000', 'ZQPrintDocumentOn');
-- 4121 FEATURE_TARGET_SIZE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4121, 256, 256, 'Letter (8.5 x 11 in)', 0, '0', '0'),
  (4121, 257, 257, 'Legal (8.5 x 14 in)', 0, '0', '0'),
  (4121, 259, 259, 'A4 (210 x 297 mm)', 0, '0', '0'),
  (4121, 260, 260, 'A5 (148 x 210 mm)', 0, '0', '0'),
  (4121, 263, 263, '4 x 6 in', 0, '0', '0');
-- 4122 FEATURE_PHOTO_FIX
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4122, 1, 1, 'Off', 0, '0', '0'),
  (4122, 2, 2, 'Basic', 0, '0', '0'),
  (4122, 3, 3, 'Advanced', 0, '0', '0');
-- 4123 FEATURE_RESOLUTION
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4123, 1, 300, '300 dpi', 0, 'ns0000', 'ZQ_300dpi'),
  (4123, 2, 600, '600 dpi', 0, 'ns0000', 'ZQ_600dpi'),
  (4123, 3, 1200, '1200 dpi', 0, 'ns0000', 'ZQ_1200dpi');
-- 4125 FEATURE_DUPLEX
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4125, 1, 1, 'One-sided', 0, 'psk', 'OneSided'),
  (4125, 2, 2, 'Two-sided, flip on long edge', 0, 'psk', 'TwoSidedLongEdge'),
  (4125, 3, 3, 'Two-sided, flip on short edge', 0, 'psk', 'TwoSidedShortEdge');
-- 4126 FEATURE_DUPLEX_EDGE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4126, 1, 1, 'Flip on long edge', 0, '0', '0'),
  (4126, 2, 2, 'Flip on short edge', 0, '0', '0');
-- 4127 FEATURE_PRESERVE_LAYOUT
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4127, 1, 1, 'Off', 0, '0', '0'),
  (4127, 2, 2, 'On', 0, '0', '0');
-- 4128 FEATURE_PAGES_PER_SHEET
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4128, 1, 1, '1 page per sheet', 0, 'psk', 'PagesPerSheet'),
  (4128, 2, 2, '2 pages per sheet', 0, 'psk', 'PagesPerSheet'),
  (4128, 3, 3, '4 pages per sheet', 0, 'psk', 'PagesPerSheet'),
  (4128, 4, 4, '6 pages per sheet', 0, 'psk', 'PagesPerSheet'),
  (4128, 5, 5, '9 pages per sheet', 0, 'psk', 'PagesPerSheet'),
  (4128, 6, 6, '16 pages per sheet', 0, 'psk', 'PagesPerSheet');
-- 4129 FEATURE_PAGE_ORDER_NUP
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4129, 1, 1, 'Right, then down', 0, 'psk', 'RightBottom'),
  (4129, 2, 2, 'Down, then right', 0, 'psk', 'BottomRight'),
  (4129, 3, 3, 'Left, then down', 0, 'psk', 'LeftBottom'),
  (4129, 4, 4, 'Down, then left', 0, 'psk', 'BottomLeft');
-- 4130 FEATURE_BOOKLET
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4130, 1, 1, 'Off', 0, '0', '0'),
  (4130, 2, 2, 'Left binding', 0, 'ns0000', 'ZQLeftEdgeBindingLayout'),
  (4130, 3, 3, 'Right binding', 0, 'ns0000', 'ZQRightEdgeBindingLayout');
-- 4132 FEATURE_ROLL_CUT
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4132, 1, 1, 'Off', 0, '0', '0'),
  (4132, 2, 2, 'On', 0, '0', '0');
-- 4133 FEATURE_SAVE_ROLL_PAPER
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4133, 1, 1, 'Off', 0, '0', '0'),
  (4133, 2, 2, 'On', 0, '0', '0');
-- 4135 FEATURE_ROTATION
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4135, 1, 1, 'Not rotated', 0, '0', '0'),
  (4135, 2, 2, 'Rotated by 180 degrees', 0, '0', '0');
-- 4136 FEATURE_PRINT_IN_GRAY
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4136, 1, 1, 'Off', 0, 'psk', 'Color'),
  (4136, 2, 2, 'High quality grayscale', 0, 'psk', 'Grayscale'),
  (4136, 3, 3, 'Black ink only', 0, 'psk', 'Monochrome');
-- 4137 FEATURE_GRAY_OPTIONS
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4137, 1, 1, 'Composite gray', 0, '0', '0'),
  (4137, 2, 2, 'Black only', 0, '0', '0');
-- 4138 FEATURE_INPUT_COLOR_SPACE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4138, 1, 1, 'sRGB', 0, '0', '0'),
  (4138, 2, 2, 'Wide-gamut RGB', 0, '0', '0');
-- 4139 FEATURE_ICM_INTENT
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4139, 1, 1, 'Saturation', 0, '0', '0'),
  (4139, 2, 2, 'Contrast', 0, '0', '0'),
  (4139, 3, 3, 'Colorimetric', 0, '0', '0'),
  (4139, 4, 4, 'Absolute colorimetric', 0, '0', '0');
-- 4141 FEATURE_ICM_METHOD
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4141, 1, 1, 'None', 0, '0', '0'),
  (4141, 2, 2, 'System', 0, '0', '0'),
  (4141, 3, 3, 'Driver', 0, '0', '0'),
  (4141, 4, 4, 'Device', 0, '0', '0');
-- 4143 FEATURE_PRINTING_SHORTCUTS
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4143, 1, 1, 'Factory defaults', 0, '0', '0'),
  (4143, 2, 2, 'General everyday printing', 0, '0', '0'),
  (4143, 3, 3, 'Photo printing, borderless', 0, '0', '0'),
  (4143, 4, 4, 'Two-sided printing', 0, '0', '0'),
  (4143, 5, 5, 'Economy printing', 0, '0', '0');
-- 4145 FEATURE_IMAGE_PREVIEW
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4145, 1, 1, 'Default', 0, '0', '0');
-- 4166 FEATURE_PICTURE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4166, 1, 1, 'Default', 0, '0', '0');
-- 4211 FEATURE_PAPER_DIMENSIONS_TEXT: the current paper's size in inches (1) or millimetres (2)
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4211, 1, 1, 'Inches', 0, '0', '0'),
  (4211, 2, 2, 'Millimetres', 0, '0', '0');
-- 4215 FEATURE_POPUP_SETTINGS
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4215, 1, 1, 'Off', 0, '0', '0'),
  (4215, 2, 2, 'On', 0, '0', '0');
-- 4218 FEATURE_MIRROR_PRINT
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4218, 1, 1, 'Off', 0, 'psk', 'None'),
  (4218, 2, 2, 'On', 0, 'psk', 'MirrorImageWidth');
-- 4219 FEATURE_POSTER
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4219, 1, 1, 'Off', 0, 'psk', 'SheetsPerPage'),
  (4219, 2, 2, '2 x 2 sheets', 0, 'psk', 'SheetsPerPage'),
  (4219, 3, 3, '3 x 3 sheets', 0, 'psk', 'SheetsPerPage'),
  (4219, 4, 4, '4 x 4 sheets', 0, 'psk', 'SheetsPerPage');
-- 4221 FEATURE_DUPLEX_UNIT
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4221, 1, 1, 'Installed', 0, '0', '0'),
  (4221, 2, 2, 'Not installed', 0, '0', '0');
-- 4222 FEATURE_TEXT_AS_BLACK
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4222, 1, 1, 'Off', 0, '0', '0'),
  (4222, 2, 2, 'On', 0, '0', '0');
-- 4226 FEATURE_PAGE_ORDER
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4226, 1, 1, 'Front to back', 0, 'psk', 'Standard'),
  (4226, 2, 2, 'Back to front', 0, 'psk', 'Reverse');
-- 4227 FEATURE_ICC_PROFILE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4227, 1, 1, 'sRGB display profile', 0, '0', '0'),
  (4227, 2, 2, 'Wide-gamut RGB profile', 0, '0', '0');
-- 4231 FEATURE_SUPPORT_INFO
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4231, 1, 1, 'Default', 0, '0', '0');
-- 4233 FEATURE_PAPER_LIST
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4233, 256, 256, 'Letter (8.5 x 11 in)', 0, '0', '0'),
  (4233, 257, 257, 'Legal (8.5 x 14 in)', 0, '0', '0'),
  (4233, 258, 258, 'Executive (7.25 x 10.5 in)', -1041, '0', '0'),
  (4233, 259, 259, 'A4 (210 x 297 mm)', 0, '0', '0'),
  (4233, 260, 260, 'A5 (148 x 210 mm)', 0, '0', '0'),
  (4233, 261, 261, 'A6 (105 x 148 mm)', 0, '0', '0'),
  (4233, 262, 262, 'B5 (182 x 257 mm)', 0, '0', '0'),
  (4233, 263, 263, '4 x 6 in', 0, '0', '0'),
  (4233, 264, 264, '5 x 7 in', 0, '0', '0'),
  (4233, 265, 265, '8 x 10 in', 0, '0', '0'),
  (4233, 266, 266, 'Hagaki (100 x 148 mm)', 1041, '0', '0'),
  (4233, 267, 267, 'Envelope #10 (4.12 x 9.5 in)', 0, '0', '0'),
  (4233, 268, 268, 'Envelope DL (110 x 220 mm)', 0, '0', '0'),
  (4233, 269, 269, 'Envelope C5 (162 x 229 mm)', 0, '0', '0');
-- 4234 FEATURE_CUSTOM_PAPER_SIZE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4234, 1, 1, 'Default', 0, '0', '0');
-- 4235 FEATURE_COPIES
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4235, 1, 1, 'Default', 0, '0', '0');
-- 4236 FEATURE_COLLATE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4236, 1, 1, 'Uncollated', 0, 'psk', 'Uncollated'),
  (4236, 2, 2, 'Collated', 0, 'psk', 'Collated');
-- 4237 FEATURE_APP_PROFILE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4237, 1, 1, 'Off', 0, '0', '0'),
  (4237, 2, 2, 'On', 0, '0', '0');
-- 4243 FEATURE_POSTER_TILES
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4243, 1, 1, 'Default', 0, '0', '0');
-- 4258 FEATURE_PAPER_DIMENSIONS
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4258, 1, 1, 'Default', 0, '0', '0');
-- 4259 FEATURE_PRESET_POPUP
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4259, 1, 1, 'Default', 0, '0', '0');
-- 4260 FEATURE_PRINTER_STATUS
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4260, 1, 1, 'Default', 0, '0', '0');
-- 4261 FEATURE_ADDED_MEDIA
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4261, 1, 1, 'Default', 0, '0', '0');
-- 4262 FEATURE_CALIBRATION
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4262, 1, 1, 'Default', 0, '0', '0');
-- 4298 FEATURE_MAX_DPI
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4298, 1, 1, 'Off', 0, '0', '0'),
  (4298, 2, 2, 'On', 0, '0', '0');
-- 4302 FEATURE_INK_VOLUME
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4302, 1, 1, 'Light', 0, '0', '0'),
  (4302, 2, 2, 'Normal', 0, '0', '0'),
  (4302, 3, 3, 'Heavy', 0, '0', '0');
-- 4305 FEATURE_TRAY2
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4305, 1, 1, 'Installed', 0, '0', '0'),
  (4305, 2, 2, 'Not installed', 0, '0', '0');
-- 4307 FEATURE_BASE_MEDIA
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4307, 256, 256, 'Plain paper', 0, '0', 'Plain'),
  (4307, 258, 258, 'Brochure paper, matte', 0, '0', 'BondPaper'),
  (4307, 259, 259, 'Photo paper, glossy', 0, '0', 'PhotographicGlossy'),
  (4307, 261, 261, 'Photo paper, matte', 0, '0', 'PhotographicMatte');
-- 5998 FEATURE_FIRST_PACKED
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (5998, 4113, 4113, 'First packed feature', 0, '0', '0');
-- 5999 FEATURE_LAST_PACKED
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (5999, 4312, 4312, 'Last packed feature', 0, '0', '0');
-- 6001 UI_PREVIEW_PANEL
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6001, 1, 1, 'Default', 0, '0', '0');
-- 6002 UI_RESTORE_DEFAULTS
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6002, 1, 1, 'Default', 0, '0', '0');
-- 6025 UI_COLOR_PICTURE
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6025, 1, 1, 'Default', 0, '0', '0');
-- 6003 UI_CUSTOM_SIZE_BUTTON
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6003, 1, 1, 'Default', 0, '0', '0');
-- 6004 UI_HELP_BUTTON
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6004, 1, 1, 'Default', 0, '0', '0');
-- 6012 to 6023: the custom size editor; option 1 of a box is the text it shows, option 2 the
-- text it goes back to.
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6012, 1, 1, 'Custom', 0, '0', '0'),
  (6012, 2, 2, 'Custom', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6013, 1, 1, 'Save', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6014, 1, 1, 'With borders', 0, '0', '0'),
  (6014, 2, 2, 'Borderless', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6015, 1, 1, '(3.00 - 8.50)', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6016, 1, 1, '(5.00 - 14.00)', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6017, 1, 1, '8.50', 0, '0', '0'),
  (6017, 2, 2, '8.50', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6018, 1, 1, '11.00', 0, '0', '0'),
  (6018, 2, 2, '11.00', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6019, 1, 1, 'Inches', 0, '0', '0'),
  (6019, 2, 2, 'Millimetres', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6020, 1, 1, 'Delete', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6021, 1, 1, 'Revert', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6022, 1, 1, 'Select', 0, '0', '0');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6023, 1, 1, 'Editor', 0, '0', '0');
-- Separators in the paper list between the paper and photo and the envelope groups.
UPDATE CAP_OPTIONS_INFO SET Seperator = 1 WHERE Featureid IN (4114, 4233) AND Optionid IN (263, 267);
-- The tree view sorts the papers into sizes (1), photo sizes (2) and envelopes (3).
UPDATE CAP_OPTIONS_INFO SET TreeViewCategory = 1, TreeViewSizeID = Optionid WHERE Featureid = 4114;
UPDATE CAP_OPTIONS_INFO SET TreeViewCategory = 2 WHERE Featureid = 4114 AND Optionid BETWEEN 263 AND 266;
UPDATE CAP_OPTIONS_INFO SET TreeViewCategory = 3 WHERE Featureid = 4114 AND Optionid BETWEEN 267 AND 269;
-- Media groups: 1 plain papers, 2 photo papers, 3 special media (read by the paper handlers).
UPDATE CAP_OPTIONS_INFO SET Group1 = 1 WHERE Featureid IN (4116, 4307) AND Optionid IN (256, 257, 258);
UPDATE CAP_OPTIONS_INFO SET Group1 = 2 WHERE Featureid IN (4116, 4307) AND Optionid IN (259, 260, 261);
UPDATE CAP_OPTIONS_INFO SET Group1 = 3 WHERE Featureid IN (4116, 4307) AND Optionid >= 262;
-- Aux ids link the target sizes of fit-to-size to the papers (bit 1 of AuxID1).
UPDATE CAP_OPTIONS_INFO SET AuxID1 = 1 WHERE Featureid IN (4114, 4121);
-- 6079 UI_SETTINGS_CHANGED: whether the settings differ from those the sheets opened with
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (6079, 1, 1, 'Unchanged', 0, '0', '0'),
  (6079, 2, 2, 'Changed', 0, '0', '0');
