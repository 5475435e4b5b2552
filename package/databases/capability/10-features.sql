-- The features of the model. Feature ids 4113..4312 are the settings features, 5998 and 5999
-- give the first and last feature id of the packed settings range, and ids from 6000 up are
-- elements of the user interface listed like features. ClassId names the handler class that
-- serves the feature; a handler changes only the features of its own class id, so a feature that
-- one handler writes for another carries the writer's class (the paper size is written by the
-- paper list, 4233; the media type, its pending choice and the base medium belong to the
-- added-media class, 4261, the media-type handler that also offers the papers the user added).
-- Stringid values are texts of the string-resource library.
INSERT INTO CAP_FEATURES_INFO (Featureid, FeatureName, ClassId, Categoryid, Stringid, DefaultOption, DefaultNonUS, DefaultJapanese, VocabNameSpace, VocabMap) VALUES
  (4114, 'FEATURE_PAPER_SIZE', 4233, 1, 14114, 256, 259, 259, 'psk', 'psk:PageMediaSize'),
  (4115, 'FEATURE_PRINT_QUALITY', 4115, 1, 14115, 2, 2, 2, 'psk', 'psk:PageOutputQuality'),
  (4116, 'FEATURE_MEDIA_TYPE', 4261, 1, 14116, 256, 256, 256, 'psk', 'psk:PageMediaType'),
  (4117, 'FEATURE_INPUT_BIN', 4117, 1, 14117, 7, 7, 7, 'psk', 'psk:JobInputBin'),
  (4118, 'FEATURE_ORIENTATION', 4118, 2, 14118, 1, 1, 1, 'psk', 'psk:PageOrientation'),
  (4119, 'FEATURE_BORDERLESS', 4119, 1, 14119, 1, 1, 1, 'psk', 'psk:PageBorderless'),
  (4120, 'FEATURE_FIT_TO_SIZE', 4120, 2, 14120, 1, 1, 1, 'psk', 'psk:PageScaling'),
  (4121, 'FEATURE_TARGET_SIZE', 4120, 2, 14121, 256, 259, 259, '0', '0'),
  (4122, 'FEATURE_PHOTO_FIX', 4122, 3, 14122, 1, 1, 1, '0', '0'),
  (4123, 'FEATURE_RESOLUTION', 4123, 1, 14123, 2, 2, 2, 'psk', 'psk:PageResolution'),
  (4125, 'FEATURE_DUPLEX', 4125, 2, 14125, 1, 1, 1, 'psk', 'psk:JobDuplexAllDocumentsContiguously'),
  (4126, 'FEATURE_DUPLEX_EDGE', 4126, 2, 14126, 1, 1, 1, '0', '0'),
  (4127, 'FEATURE_PRESERVE_LAYOUT', 4127, 2, 14127, 2, 2, 2, '0', '0'),
  (4128, 'FEATURE_PAGES_PER_SHEET', 4128, 2, 14128, 1, 1, 1, 'psk', 'psk:DocumentNUp'),
  (4129, 'FEATURE_PAGE_ORDER_NUP', 4128, 2, 14129, 1, 1, 1, 'psk', 'psk:PresentationDirection'),
  (4130, 'FEATURE_BOOKLET', 4130, 2, 14130, 1, 1, 1, 'psk', 'psk:DocumentBinding'),
  (4132, 'FEATURE_ROLL_CUT', 4254, 2, 14132, 1, 1, 1, 'psk', 'psk:DocumentRollCut'),
  (4133, 'FEATURE_SAVE_ROLL_PAPER', 4255, 2, 14133, 1, 1, 1, 'ns0000', 'ns0000:ZQSaveRollOnPaper'),
  (4135, 'FEATURE_ROTATION', 4118, 2, 14135, 1, 1, 1, '0', '0'),
  (4136, 'FEATURE_PRINT_IN_GRAY', 4136, 3, 14136, 1, 1, 1, 'psk', 'psk:PageOutputColor'),
  (4137, 'FEATURE_GRAY_OPTIONS', 4137, 3, 14137, 1, 1, 1, '0', '0'),
  (4138, 'FEATURE_INPUT_COLOR_SPACE', 4138, 3, 14138, 1, 1, 1, 'psk', 'psk:PageColorManagement'),
  (4139, 'FEATURE_ICM_INTENT', 4139, 3, 14139, 1, 1, 1, '0', '0'),
  (4141, 'FEATURE_ICM_METHOD', 4141, 3, 14141, 3, 3, 3, '0', '0'),
  (4143, 'FEATURE_PRINTING_SHORTCUTS', 4143, 6, 14143, 1, 1, 1, '0', '0'),
  (4145, 'FEATURE_IMAGE_PREVIEW', 4145, 3, 14145, 1, 1, 1, '0', '0'),
  (4166, 'FEATURE_PICTURE', 4166, 3, 14166, 1, 1, 1, '0', '0'),
  (4167, 'FEATURE_PICTURE_BRIGHTNESS', 4166, 3, 14167, 0, 0, 0, '0', '0'),
  (4168, 'FEATURE_PICTURE_CONTRAST', 4166, 3, 14168, 0, 0, 0, '0', '0'),
  (4169, 'FEATURE_PICTURE_SATURATION', 4166, 3, 14169, 0, 0, 0, '0', '0'),
  (4170, 'FEATURE_PICTURE_CYAN', 4166, 3, 14170, 0, 0, 0, '0', '0'),
  (4171, 'FEATURE_PICTURE_MAGENTA', 4166, 3, 14171, 0, 0, 0, '0', '0'),
  (4172, 'FEATURE_PICTURE_YELLOW', 4166, 3, 14172, 0, 0, 0, '0', '0'),
  (4211, 'FEATURE_PAPER_DIMENSIONS_TEXT', 4258, 1, 14211, 1, 1, 1, '0', '0'),
  (4215, 'FEATURE_POPUP_SETTINGS', 4215, 4, 14215, 2, 2, 2, '0', '0'),
  (4218, 'FEATURE_MIRROR_PRINT', 4218, 4, 14218, 1, 1, 1, 'psk', 'psk:PageMirrorImage'),
  (4219, 'FEATURE_POSTER', 4219, 2, 14219, 1, 1, 1, 'psk', 'psk:PagePoster'),
  (4221, 'FEATURE_DUPLEX_UNIT', 4221, 4, 14221, 1, 1, 1, '0', '0'),
  (4222, 'FEATURE_TEXT_AS_BLACK', 4222, 4, 14222, 1, 1, 1, '0', '0'),
  (4226, 'FEATURE_PAGE_ORDER', 4226, 4, 14226, 1, 1, 1, 'psk', 'psk:JobPageOrder'),
  (4227, 'FEATURE_ICC_PROFILE', 4227, 3, 14227, 1, 1, 1, '0', '0'),
  (4231, 'FEATURE_SUPPORT_INFO', 4231, 5, 14231, 1, 1, 1, '0', '0'),
  (4233, 'FEATURE_PAPER_LIST', 4233, 1, 14233, 256, 259, 259, '0', '0'),
  (4234, 'FEATURE_CUSTOM_PAPER_SIZE', 4234, 1, 14234, 1, 1, 1, '0', '0'),
  (4235, 'FEATURE_COPIES', 4235, 4, 14235, 1, 1, 1, '0', '0'),
  (4236, 'FEATURE_COLLATE', 4236, 4, 14236, 2, 2, 2, 'psk', 'psk:DocumentCollate'),
  (4237, 'FEATURE_APP_PROFILE', 4237, 4, 14237, 1, 1, 1, '0', '0'),
  (4243, 'FEATURE_POSTER_TILES', 4243, 2, 14243, 1, 1, 1, '0', '0'),
  (4258, 'FEATURE_PAPER_DIMENSIONS', 4258, 1, 14258, 1, 1, 1, '0', '0'),
  (4259, 'FEATURE_PRESET_POPUP', 4259, 6, 14259, 1, 1, 1, '0', '0'),
  (4260, 'FEATURE_PRINTER_STATUS', 4260, 5, 14260, 1, 1, 1, '0', '0'),
  (4261, 'FEATURE_ADDED_MEDIA', 4261, 1, 14261, 1, 1, 1, '0', '0'),
  (4262, 'FEATURE_CALIBRATION', 4262, 5, 14262, 1, 1, 1, '0', '0'),
  (4298, 'FEATURE_MAX_DPI', 4298, 1, 14298, 1, 1, 1, '0', '0'),
  (4302, 'FEATURE_INK_VOLUME', 4302, 4, 14302, 2, 2, 2, '0', '0'),
  (4305, 'FEATURE_TRAY2', 4305, 4, 14305, 1, 1, 1, '0', '0'),
  (4307, 'FEATURE_BASE_MEDIA', 4261, 1, 14307, 256, 256, 256, '0', '0'),
  (5998, 'FEATURE_FIRST_PACKED', 5998, 0, 15998, 4113, 4113, 4113, '0', '0'),
  (5999, 'FEATURE_LAST_PACKED', 5999, 0, 15999, 4312, 4312, 4312, '0', '0'),
  (6001, 'UI_PREVIEW_PANEL', 4132, 0, 16001, 1, 1, 1, '0', '0'),
  (6002, 'UI_RESTORE_DEFAULTS', 4143, 0, 16002, 1, 1, 1, '0', '0'),
  (6003, 'UI_CUSTOM_SIZE_BUTTON', 4234, 0, 16003, 1, 1, 1, '0', '0'),
  (6004, 'UI_HELP_BUTTON', 6004, 0, 16004, 1, 1, 1, '0', '0'),
  (6012, 'UI_CUSTOM_NAME', 4234, 0, 16012, 1, 1, 1, '0', '0'),
  (6013, 'UI_CUSTOM_SAVE', 4234, 0, 16013, 1, 1, 1, '0', '0'),
  (6014, 'UI_CUSTOM_BORDERS', 4234, 0, 16014, 1, 1, 1, '0', '0'),
  (6015, 'UI_CUSTOM_WIDTH_RANGE', 4234, 0, 16015, 1, 1, 1, '0', '0'),
  (6016, 'UI_CUSTOM_HEIGHT_RANGE', 4234, 0, 16016, 1, 1, 1, '0', '0'),
  (6017, 'UI_CUSTOM_WIDTH', 4234, 0, 16017, 1, 1, 1, '0', '0'),
  (6018, 'UI_CUSTOM_HEIGHT', 4234, 0, 16018, 1, 1, 1, '0', '0'),
  (6019, 'UI_CUSTOM_UNIT', 4234, 0, 16019, 1, 1, 1, '0', '0'),
  (6020, 'UI_CUSTOM_DELETE', 4234, 0, 16020, 1, 1, 1, '0', '0'),
  (6021, 'UI_CUSTOM_REVERT', 4234, 0, 16021, 1, 1, 1, '0', '0'),
  (6022, 'UI_CUSTOM_SELECT', 4234, 0, 16022, 1, 1, 1, '0', '0'),
  (6023, 'UI_CUSTOM_EDITOR', 4234, 0, 16023, 1, 1, 1, '0', '0'),
  (6025, 'UI_COLOR_PICTURE', 4166, 0, 0, 1, 1, 1, '0', '0'),
  (6418, 'UI_PAPER_CHOICE', 4114, 0, 16418, 0, 0, 0, '0', '0'),
  (6419, 'UI_MEDIA_CHOICE', 4261, 0, 16419, 0, 0, 0, '0', '0'),
  (6079, 'UI_SETTINGS_CHANGED', 6079, 0, 16079, 1, 1, 1, '0', '0'),
  (8001, 'UI_BEYOND_SHEETS', 8001, 0, 18001, 0, 0, 0, '0', '0');

-- The widgets of the conflict pop-up, 6530 to 6575, served by one handler class.
INSERT INTO CAP_FEATURES_INFO (Featureid, FeatureName, ClassId, Stringid, DefaultDisplayState)
  WITH RECURSIVE widget(id) AS (SELECT 6530 UNION ALL SELECT id + 1 FROM widget WHERE id < 6575)
  SELECT id, 'UI_CONFLICT_POPUP_' || id, 6530, 10000 + id, 1 FROM widget;

-- Features whose value is a number in a range rather than one of their options.
UPDATE CAP_FEATURES_INFO SET RangeMin = -100, RangeMax = 100, IsFeatureUserInput = 1 WHERE Featureid = 4167;
UPDATE CAP_FEATURES_INFO SET RangeMin = -100, RangeMax = 100, IsFeatureUserInput = 1 WHERE Featureid = 4168;
UPDATE CAP_FEATURES_INFO SET RangeMin = -100, RangeMax = 100, IsFeatureUserInput = 1 WHERE Featureid = 4169;
UPDATE CAP_FEATURES_INFO SET RangeMin = -100, RangeMax = 100, IsFeatureUserInput = 1 WHERE Featureid = 4170;
UPDATE CAP_FEATURES_INFO SET RangeMin = -100, RangeMax = 100, IsFeatureUserInput = 1 WHERE Featureid = 4171;
UPDATE CAP_FEATURES_INFO SET RangeMin = -100, RangeMax = 100, IsFeatureUserInput = 1 WHERE Featureid = 4172;
UPDATE CAP_FEATURES_INFO SET RangeMin = 762, RangeMax = 3556, IsFeatureUserInput = 1 WHERE Featureid = 4234;
UPDATE CAP_FEATURES_INFO SET RangeMin = 1, RangeMax = 999, IsFeatureUserInput = 1 WHERE Featureid = 4235;
UPDATE CAP_FEATURES_INFO SET IsFeatureUserInput = 1 WHERE Featureid = 6418;
UPDATE CAP_FEATURES_INFO SET IsFeatureUserInput = 1 WHERE Featureid = 6419;
-- The conflict pop-up's widgets show texts the UI core writes, not options.
UPDATE CAP_FEATURES_INFO SET IsFeatureUserInput = 1 WHERE Featureid BETWEEN 6530 AND 6575;
UPDATE CAP_FEATURES_INFO SET IsFeatureUserInput = 1 WHERE Featureid = 8001;

-- The colour page's picture widget carries the resource id of the sample picture it shows (the
-- bitmap id of its layout row, 30407).
UPDATE CAP_FEATURES_INFO SET Bitmapid = 301 WHERE Featureid = 6025;

-- Display states: 0 and 1 hidden, 2 shown and greyed, 3 shown (the default).
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 2 WHERE Featureid = 4135;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 1 WHERE Featureid = 4145;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 1 WHERE Featureid = 4233;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 1 WHERE Featureid = 4243;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 1 WHERE Featureid = 4261;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 2 WHERE Featureid = 4298;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 1 WHERE Featureid = 4307;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 0 WHERE Featureid = 5998;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 0 WHERE Featureid = 5999;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 1 WHERE Featureid = 6418;
UPDATE CAP_FEATURES_INFO SET DefaultDisplayState = 1 WHERE Featureid = 6419;

-- The duplex unit is asked of the device; device settings are kept in the registry store.
UPDATE CAP_FEATURES_INFO SET BiDiUpdate = 1, BiDiKeyOID = '1.3.6.1.4.1.64999.1.4.2.6' WHERE Featureid = 4221;
UPDATE CAP_FEATURES_INFO SET uiDataStore = 1 WHERE Featureid = 4215;
UPDATE CAP_FEATURES_INFO SET uiDataStore = 1 WHERE Featureid = 4221;
UPDATE CAP_FEATURES_INFO SET uiDataStore = 1 WHERE Featureid = 4237;
UPDATE CAP_FEATURES_INFO SET uiDataStore = 1 WHERE Featureid = 4305;
UPDATE CAP_FEATURES_INFO SET uiDataStore = 1 WHERE Featureid = 4298;

-- The target size of fit-to-size follows the paper list of the paper size.
UPDATE CAP_FEATURES_INFO SET SoftLink = 1, SoftLinkFeatureID = 4114, AuxIndex = 1, AuxBitOffset = 1 WHERE Featureid = 4121;

-- A user choice of these features is kept when a constraint would change them.
UPDATE CAP_FEATURES_INFO SET bRespectUserSelection = 1 WHERE Featureid IN (4114, 4116, 4125);
-- Discriminators tell the paper list which papers belong to the region of the user.
UPDATE CAP_FEATURES_INFO SET Discriminator = 1, NonUSDiscriminator = 2 WHERE Featureid IN (4114, 4233);

-- A feature's state follows how it is shown: 3 for a feature shown and enabled, which its handler
-- serves in full (widget notices, changes and the queued changes after them).
UPDATE CAP_FEATURES_INFO SET FeatureState = DefaultDisplayState;
