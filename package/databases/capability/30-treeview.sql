-- The rows of the printing-preferences tree view: one per option of the features the tree
-- shows. LevelID 1 is a feature row, 2 an option row; GroupID groups the rows by category.
-- 4114 FEATURE_PAPER_SIZE
INSERT INTO CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption, StringID, LevelID, Discriminator, GroupID, OptionName) VALUES
  (4114, 0, 0, 1, 0, 1, 0, 100, 'FEATURE_PAPER_SIZE'),
  (4114, 256, 256, 1, 0, 2, 0, 100, 'Letter (8.5 x 11 in)'),
  (4114, 257, 257, 1, 0, 2, 0, 100, 'Legal (8.5 x 14 in)'),
  (4114, 258, 258, 1, 0, 2, 1, 100, 'Executive (7.25 x 10.5 in)'),
  (4114, 259, 259, 1, 0, 2, 0, 100, 'A4 (210 x 297 mm)'),
  (4114, 260, 260, 1, 0, 2, 0, 100, 'A5 (148 x 210 mm)'),
  (4114, 261, 261, 1, 0, 2, 0, 100, 'A6 (105 x 148 mm)'),
  (4114, 262, 262, 1, 0, 2, 0, 100, 'B5 (182 x 257 mm)'),
  (4114, 263, 263, 1, 0, 2, 0, 100, '4 x 6 in'),
  (4114, 264, 264, 1, 0, 2, 0, 100, '5 x 7 in'),
  (4114, 265, 265, 1, 0, 2, 0, 100, '8 x 10 in'),
  (4114, 266, 266, 1, 0, 2, 2, 100, 'Hagaki (100 x 148 mm)'),
  (4114, 267, 267, 1, 0, 2, 0, 100, 'Envelope #10 (4.12 x 9.5 in)'),
  (4114, 268, 268, 1, 0, 2, 0, 100, 'Envelope DL (110 x 220 mm)'),
  (4114, 269, 269, 1, 0, 2, 0, 100, 'Envelope C5 (162 x 229 mm)');
-- 4117 FEATURE_INPUT_BIN
INSERT INTO CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption, StringID, LevelID, Discriminator, GroupID, OptionName) VALUES
  (4117, 0, 0, 1, 0, 1, 0, 100, 'FEATURE_INPUT_BIN'),
  (4117, 7, 7, 1, 0, 2, 0, 100, 'Automatically select'),
  (4117, 1, 1, 1, 0, 2, 0, 100, 'Main tray'),
  (4117, 9, 9, 1, 0, 2, 0, 100, 'Tray 2'),
  (4117, 4, 4, 1, 0, 2, 0, 100, 'Rear manual feed');
-- 4116 FEATURE_MEDIA_TYPE
INSERT INTO CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption, StringID, LevelID, Discriminator, GroupID, OptionName) VALUES
  (4116, 0, 0, 1, 0, 1, 0, 100, 'FEATURE_MEDIA_TYPE'),
  (4116, 256, 256, 1, 0, 2, 0, 100, 'Plain paper'),
  (4116, 257, 257, 1, 0, 2, 0, 100, 'Bright white inkjet paper'),
  (4116, 258, 258, 1, 0, 2, 0, 100, 'Brochure paper, matte'),
  (4116, 259, 259, 1, 0, 2, 0, 100, 'Photo paper, glossy'),
  (4116, 260, 260, 1, 0, 2, 0, 100, 'Photo paper, soft gloss'),
  (4116, 261, 261, 1, 0, 2, 0, 100, 'Photo paper, matte'),
  (4116, 262, 262, 1, 0, 2, 0, 100, 'Transparency film'),
  (4116, 263, 263, 1, 0, 2, 0, 100, 'Envelope'),
  (4116, 264, 264, 1, 0, 2, 0, 100, 'Card stock'),
  (4116, 265, 265, 1, 0, 2, 0, 100, 'Labels');
-- 4115 FEATURE_PRINT_QUALITY
INSERT INTO CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption, StringID, LevelID, Discriminator, GroupID, OptionName) VALUES
  (4115, 0, 0, 1, 0, 1, 0, 100, 'FEATURE_PRINT_QUALITY'),
  (4115, 1, 1, 1, 0, 2, 0, 100, 'Draft'),
  (4115, 2, 2, 1, 0, 2, 0, 100, 'Normal'),
  (4115, 3, 3, 1, 0, 2, 0, 100, 'Best'),
  (4115, 4, 4, 1, 0, 2, 0, 100, 'Maximum dpi');
-- 4118 FEATURE_ORIENTATION
INSERT INTO CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption, StringID, LevelID, Discriminator, GroupID, OptionName) VALUES
  (4118, 0, 0, 1, 0, 1, 0, 200, 'FEATURE_ORIENTATION'),
  (4118, 1, 1, 1, 0, 2, 0, 200, 'Portrait'),
  (4118, 2, 2, 1, 0, 2, 0, 200, 'Landscape');
-- 4125 FEATURE_DUPLEX
INSERT INTO CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption, StringID, LevelID, Discriminator, GroupID, OptionName) VALUES
  (4125, 0, 0, 1, 0, 1, 0, 200, 'FEATURE_DUPLEX'),
  (4125, 1, 1, 1, 0, 2, 0, 200, 'One-sided'),
  (4125, 2, 2, 1, 0, 2, 0, 200, 'Two-sided, flip on long edge'),
  (4125, 3, 3, 1, 0, 2, 0, 200, 'Two-sided, flip on short edge');
-- 4128 FEATURE_PAGES_PER_SHEET
INSERT INTO CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption, StringID, LevelID, Discriminator, GroupID, OptionName) VALUES
  (4128, 0, 0, 1, 0, 1, 0, 200, 'FEATURE_PAGES_PER_SHEET'),
  (4128, 1, 1, 1, 0, 2, 0, 200, '1 page per sheet'),
  (4128, 2, 2, 1, 0, 2, 0, 200, '2 pages per sheet'),
  (4128, 3, 3, 1, 0, 2, 0, 200, '4 pages per sheet'),
  (4128, 4, 4, 1, 0, 2, 0, 200, '6 pages per sheet'),
  (4128, 5, 5, 1, 0, 2, 0, 200, '9 pages per sheet'),
  (4128, 6, 6, 1, 0, 2, 0, 200, '16 pages per sheet');
-- 4136 FEATURE_PRINT_IN_GRAY
INSERT INTO CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption, StringID, LevelID, Discriminator, GroupID, OptionName) VALUES
  (4136, 0, 0, 1, 0, 1, 0, 300, 'FEATURE_PRINT_IN_GRAY'),
  (4136, 1, 1, 1, 0, 2, 0, 300, 'Off'),
  (4136, 2, 2, 1, 0, 2, 0, 300, 'High quality grayscale'),
  (4136, 3, 3, 1, 0, 2, 0, 300, 'Black ink only');
-- 4226 FEATURE_PAGE_ORDER
INSERT INTO CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption, StringID, LevelID, Discriminator, GroupID, OptionName) VALUES
  (4226, 0, 0, 1, 0, 1, 0, 400, 'FEATURE_PAGE_ORDER'),
  (4226, 1, 1, 1, 0, 2, 0, 400, 'Front to back'),
  (4226, 2, 2, 1, 0, 2, 0, 400, 'Back to front');
-- 4235 FEATURE_COPIES
INSERT INTO CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption, StringID, LevelID, Discriminator, GroupID, OptionName) VALUES
  (4235, 0, 0, 1, 0, 1, 0, 400, 'FEATURE_COPIES'),
  (4235, 1, 1, 1, 0, 2, 0, 400, 'Default');
