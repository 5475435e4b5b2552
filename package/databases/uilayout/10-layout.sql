-- The printing preferences (DocPropSheet, with the tree view CPSUITreeView) and the printer
-- properties (DevicePropSheet, with CPSUIDevTreeView). FrameType 1 is a set of property-sheet
-- pages, 7 a tree view. A window id is the dialog template of its page in the resource module
-- (package/nirares/PageDialogs.h); RTLWindowID is the mirrored template for right-to-left
-- languages, and a widget row's ControlID is its control in both. The tree views' rows are items
-- of the property sheet's tree page, each listing its feature's options.
INSERT INTO UI_CONTAINERS_INFO (ContainerID, ContainerName, FrameType) VALUES
  (2, 'DocPropSheet', 1),
  (11, 'CPSUITreeView', 7),
  (3, 'DevicePropSheet', 1),
  (12, 'CPSUIDevTreeView', 7);
INSERT INTO UI_WINDOWS_INFO (WindowID, RTLWindowID, ContainerID, WindowStringID, WindowHelp, WindowName) VALUES
  (301, 1301, 2, 15301, 20301, 'Printing Shortcuts'),
  (302, 1302, 2, 15302, 20302, 'Paper/Quality'),
  (303, 1303, 2, 15303, 20303, 'Finishing'),
  (304, 1304, 2, 15304, 20304, 'Color'),
  (305, 1305, 2, 15305, 20305, 'Advanced'),
  (306, 1306, 2, 15306, 20306, 'Services'),
  (401, 1401, 11, 15401, 20401, 'Tree View'),
  (501, 1501, 3, 15501, 20501, 'Device Settings'),
  (601, 1601, 12, 15601, 20601, 'Device Tree View');

-- CtrlType: 2 check box, 5 button, 6 radio button, 7 combo box, 12 number box, 13 list box,
-- 18 owner-drawn picture, 19 text, 20 combo box with a label, 21 track bar, 26 image button,
-- 27 tree view of the property sheet. Radio buttons of one feature share a GroupID.
-- 301 Printing Shortcuts
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, LabelID, CtrlName, CtrlState, MaxValue, MinValue, IncrementFactor, LevelID, EndControl) VALUES
  (30101, 301, 1301, 0, 4143, 0, 0, 4143, 13, 0, 'IDC_SHORTCUT_LIST', 0, 0, 0, 0, 0, 0),
  (30102, 301, 1301, 0, 4132, 0, 0, 4132, 18, 0, 'IDC_SHEET_PREVIEW', 0, 0, 0, 0, 0, 0),
  (30103, 301, 1301, 0, 6002, 16002, 0, 6002, 5, 0, 'IDC_SAVE_SHORTCUT', 0, 0, 0, 0, 0, 0),
  (30104, 301, 1301, 0, 4259, 14259, 0, 4259, 5, 0, 'IDC_DELETE_SHORTCUT', 0, 0, 0, 0, 0, 0),
  (30105, 301, 1301, 0, 4114, 14114, 0, 4114, 7, 0, 'IDC_SHORTCUT_PAPER_SIZE', 0, 0, 0, 0, 0, 0),
  (30106, 301, 1301, 0, 4116, 14116, 0, 4116, 7, 0, 'IDC_SHORTCUT_MEDIA_TYPE', 0, 0, 0, 0, 0, 0),
  (30107, 301, 1301, 0, 4125, 14125, 0, 4125, 2, 0, 'IDC_SHORTCUT_TWO_SIDED', 0, 0, 0, 0, 0, 0);
-- 302 Paper/Quality
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, LabelID, CtrlName, CtrlState, MaxValue, MinValue, IncrementFactor, LevelID, EndControl) VALUES
  (30201, 302, 1302, 0, 4114, 14114, 0, 4114, 7, 0, 'IDC_PAPER_SIZE', 0, 0, 0, 0, 0, 0),
  (30202, 302, 1302, 0, 6003, 16003, 0, 6003, 5, 0, 'IDC_CUSTOM_SIZE', 0, 0, 0, 0, 0, 0),
  (30203, 302, 1302, 0, 4117, 14117, 0, 4117, 7, 0, 'IDC_PAPER_SOURCE', 0, 0, 0, 0, 0, 0),
  (30204, 302, 1302, 0, 4116, 14116, 0, 4116, 20, 14258, 'IDC_PAPER_TYPE', 0, 0, 0, 0, 0, 0),
  (30205, 302, 1302, 0, 4115, 14115, 0, 4115, 7, 0, 'IDC_PRINT_QUALITY', 0, 0, 0, 0, 0, 0),
  (30206, 302, 1302, 0, 4119, 14119, 0, 4119, 2, 0, 'IDC_BORDERLESS', 0, 0, 0, 0, 0, 0),
  (30207, 302, 1302, 0, 4258, 0, 0, 4258, 19, 0, 'IDC_PAPER_DIMENSIONS', 0, 0, 0, 0, 0, 0),
  (30208, 302, 1302, 0, 6001, 0, 0, 6001, 18, 0, 'IDC_PAPER_PREVIEW', 0, 0, 0, 0, 0, 0);
-- 303 Finishing
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, LabelID, CtrlName, CtrlState, MaxValue, MinValue, IncrementFactor, LevelID, EndControl) VALUES
  (30301, 303, 1303, 0, 4125, 14125, 0, 4125, 7, 0, 'IDC_TWO_SIDED', 0, 0, 0, 0, 0, 0),
  (30302, 303, 1303, 0, 4126, 14126, 0, 4126, 7, 0, 'IDC_FLIP_EDGE', 0, 0, 0, 0, 0, 0),
  (30303, 303, 1303, 0, 4130, 14130, 0, 4130, 7, 0, 'IDC_BOOKLET', 0, 0, 0, 0, 0, 0),
  (30304, 303, 1303, 0, 4128, 14128, 0, 4128, 7, 0, 'IDC_PAGES_PER_SHEET', 0, 0, 0, 0, 0, 0),
  (30305, 303, 1303, 0, 4129, 14129, 0, 4129, 7, 0, 'IDC_PAGE_ORDER_NUP', 0, 0, 0, 0, 0, 0),
  (30306, 303, 1303, 30390, 4118, 14118, 0, 4118, 6, 0, 'IDC_PORTRAIT', 1, 0, 0, 0, 0, 0),
  (30307, 303, 1303, 30390, 4118, 14118, 0, 4118, 6, 0, 'IDC_LANDSCAPE', 2, 0, 0, 0, 0, 1),
  (30308, 303, 1303, 0, 4135, 14135, 0, 4135, 2, 0, 'IDC_ROTATE', 0, 0, 0, 0, 0, 0),
  (30309, 303, 1303, 0, 4219, 14219, 0, 4219, 7, 0, 'IDC_POSTER', 0, 0, 0, 0, 0, 0),
  (30310, 303, 1303, 0, 4132, 0, 0, 4132, 18, 0, 'IDC_LAYOUT_PREVIEW', 0, 0, 0, 0, 0, 0);
-- 304 Color
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, LabelID, CtrlName, CtrlState, MaxValue, MinValue, IncrementFactor, LevelID, EndControl) VALUES
  (30401, 304, 1304, 0, 4136, 14136, 0, 4136, 7, 0, 'IDC_PRINT_IN_GRAY', 0, 0, 0, 0, 0, 0),
  (30402, 304, 1304, 0, 4137, 14137, 0, 4137, 7, 0, 'IDC_GRAY_OPTIONS', 0, 0, 0, 0, 0, 0),
  (30403, 304, 1304, 0, 4167, 14167, 0, 4167, 21, 0, 'IDC_ADJUST_1', 0, 100, -100, 5, 0, 0),
  (30404, 304, 1304, 0, 4168, 14168, 0, 4168, 21, 0, 'IDC_ADJUST_2', 0, 100, -100, 5, 0, 0),
  (30405, 304, 1304, 0, 4169, 14169, 0, 4169, 21, 0, 'IDC_ADJUST_3', 0, 100, -100, 5, 0, 0),
  (30406, 304, 1304, 0, 4227, 14227, 0, 4227, 7, 0, 'IDC_COLOR_PROFILE', 0, 0, 0, 0, 0, 0),
  (30407, 304, 1304, 0, 6025, 0, 301, 4166, 18, 0, 'IDC_COLOR_PICTURE', 0, 0, 0, 0, 0, 0);
-- 305 Advanced
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, LabelID, CtrlName, CtrlState, MaxValue, MinValue, IncrementFactor, LevelID, EndControl) VALUES
  (30501, 305, 1305, 0, 4235, 14235, 0, 4235, 12, 0, 'IDC_COPIES', 0, 999, 1, 1, 0, 0),
  (30502, 305, 1305, 0, 4236, 14236, 0, 4236, 2, 0, 'IDC_COLLATE', 0, 0, 0, 0, 0, 0),
  (30503, 305, 1305, 0, 4226, 14226, 0, 4226, 2, 0, 'IDC_REVERSE_ORDER', 0, 0, 0, 0, 0, 0),
  (30504, 305, 1305, 0, 4218, 14218, 0, 4218, 2, 0, 'IDC_MIRROR', 0, 0, 0, 0, 0, 0),
  (30505, 305, 1305, 0, 4222, 14222, 0, 4222, 2, 0, 'IDC_TEXT_AS_BLACK', 0, 0, 0, 0, 0, 0),
  (30506, 305, 1305, 0, 4302, 14302, 0, 4302, 7, 0, 'IDC_INK_VOLUME', 0, 0, 0, 0, 0, 0),
  (30507, 305, 1305, 0, 4298, 14298, 0, 4298, 2, 0, 'IDC_MAX_DPI', 0, 0, 0, 0, 0, 0),
  (30508, 305, 1305, 0, 6002, 16002, 0, 6002, 5, 0, 'IDC_RESTORE_DEFAULTS', 0, 0, 0, 0, 0, 0);
-- 306 Services
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, LabelID, CtrlName, CtrlState, MaxValue, MinValue, IncrementFactor, LevelID, EndControl) VALUES
  (30601, 306, 1306, 0, 4231, 14231, 0, 4231, 5, 0, 'IDC_SUPPORT_INFO', 0, 0, 0, 0, 0, 0),
  (30602, 306, 1306, 0, 4262, 14262, 0, 4262, 5, 0, 'IDC_CALIBRATE', 0, 0, 0, 0, 0, 0),
  (30603, 306, 1306, 0, 4260, 14260, 0, 4260, 19, 0, 'IDC_PRINTER_STATUS', 0, 0, 0, 0, 0, 0),
  (30604, 306, 1306, 0, 6004, 0, 130, 6004, 26, 0, 'IDC_HELP', 0, 0, 0, 0, 0, 0);
-- 401 Tree View
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, LabelID, CtrlName, CtrlState, MaxValue, MinValue, IncrementFactor, LevelID, EndControl) VALUES
  (40101, 401, 1401, 0, 4114, 14114, 0, 4114, 27, 0, 'IDC_TREE_PAPER_SIZE', 0, 0, 0, 0, 1, 0),
  (40102, 401, 1401, 0, 4117, 14117, 0, 4117, 27, 0, 'IDC_TREE_PAPER_SOURCE', 0, 0, 0, 0, 1, 0),
  (40103, 401, 1401, 0, 4116, 14116, 0, 4116, 27, 0, 'IDC_TREE_PAPER_TYPE', 0, 0, 0, 0, 1, 0),
  (40104, 401, 1401, 0, 4115, 14115, 0, 4115, 27, 0, 'IDC_TREE_PRINT_QUALITY', 0, 0, 0, 0, 1, 0),
  (40105, 401, 1401, 0, 4118, 14118, 0, 4118, 27, 0, 'IDC_TREE_ORIENTATION', 0, 0, 0, 0, 1, 0),
  (40106, 401, 1401, 0, 4125, 14125, 0, 4125, 27, 0, 'IDC_TREE_TWO_SIDED', 0, 0, 0, 0, 1, 0),
  (40107, 401, 1401, 0, 4128, 14128, 0, 4128, 27, 0, 'IDC_TREE_PAGES_PER_SHEET', 0, 0, 0, 0, 1, 0);
-- 501 Device Settings
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, LabelID, CtrlName, CtrlState, MaxValue, MinValue, IncrementFactor, LevelID, EndControl) VALUES
  (50101, 501, 1501, 0, 4305, 14305, 0, 4305, 7, 0, 'IDC_TRAY2', 0, 0, 0, 0, 0, 0),
  (50102, 501, 1501, 0, 4221, 14221, 0, 4221, 7, 0, 'IDC_DUPLEX_UNIT', 0, 0, 0, 0, 0, 0),
  (50103, 501, 1501, 0, 4215, 14215, 0, 4215, 2, 0, 'IDC_POPUP_SETTINGS', 0, 0, 0, 0, 0, 0),
  (50104, 501, 1501, 0, 4237, 14237, 0, 4237, 2, 0, 'IDC_APP_PROFILE', 0, 0, 0, 0, 0, 0);
-- 601 Device Tree View
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, LabelID, CtrlName, CtrlState, MaxValue, MinValue, IncrementFactor, LevelID, EndControl) VALUES
  (60101, 601, 1601, 0, 4305, 14305, 0, 4305, 27, 0, 'IDC_TREE_TRAY2', 0, 0, 0, 0, 1, 0),
  (60102, 601, 1601, 0, 4221, 14221, 0, 4221, 27, 0, 'IDC_TREE_DUPLEX_UNIT', 0, 0, 0, 0, 1, 0);
