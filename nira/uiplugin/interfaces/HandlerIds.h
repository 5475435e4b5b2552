// The named feature ids and the handler class ids. Both share one numbering with every feature id
// (see FeatureIds.h); the ids not named here appear as numbers where they are used.
#pragma once

#include "nira/uiplugin/interfaces/FeatureIds.h"

enum NiraFeatureId : int {
    FEATURE_ALL = 4113,  // lowest valid id; also "every feature" where an operation takes one
    FEATURE_PAPER_SIZE = 4114,
    FEATURE_PRINT_QUALITY = 4115,
    FEATURE_MEDIA_TYPE = 4116,
    FEATURE_INPUT_BIN = 4117,
    FEATURE_ORIENTATION = 4118,
    FEATURE_BORDERLESS = 4119,
    FEATURE_FIT_TO_SIZE = 4120,
    FEATURE_TARGET_SIZE = 4121,
    FEATURE_PHOTO_FIX = 4122,
    FEATURE_RESOLUTION = 4123,
    FEATURE_DUPLEX = 4125,
    FEATURE_DUPLEX_EDGE = 4126,
    FEATURE_PRESERVE_LAYOUT = 4127,
    FEATURE_PAGES_PER_SHEET = 4128,
    FEATURE_PAGE_ORDER_NUP = 4129,
    FEATURE_BOOKLET = 4130,
    FEATURE_ROLL_CUT = 4132,         // served by the roll-cut class
    FEATURE_SAVE_ROLL_PAPER = 4133,  // served by the roll-cut class
    FEATURE_ROTATION = 4135,         // served by the orientation class
    FEATURE_PRINT_IN_GRAY = 4136,
    FEATURE_GRAY_OPTIONS = 4137,
    FEATURE_INPUT_COLOR_SPACE = 4138,
    FEATURE_ICM_INTENT = 4139,
    FEATURE_ICM_METHOD = 4141,
    FEATURE_PRINTING_SHORTCUTS = 4143,
    FEATURE_PICTURE = 4166,  // first of the picture adjustment features 4166 to 4172
    FEATURE_POPUP_SETTINGS = 4215,
    FEATURE_MIRROR_PRINT = 4218,
    FEATURE_POSTER = 4219,
    FEATURE_DUPLEX_UNIT = 4221,
    FEATURE_TEXT_AS_BLACK = 4222,
    FEATURE_PAGE_ORDER = 4226,
    FEATURE_ICC_PROFILE = 4227,
    FEATURE_SUPPORT_INFO = 4231,
    FEATURE_PAPER_LIST = 4233,
    FEATURE_CUSTOM_PAPER_SIZE = 4234,
    FEATURE_COPIES = 4235,
    FEATURE_COLLATE = 4236,
    FEATURE_APP_PROFILE = 4237,
    FEATURE_PAPER_DIMENSIONS = 4258,
    FEATURE_PRESET_POPUP = 4259,
    FEATURE_PRINTER_STATUS = 4260,
    FEATURE_ADDED_MEDIA = 4261,
    FEATURE_CALIBRATION = 4262,
    FEATURE_MAX_DPI = 4298,
    FEATURE_INK_VOLUME = 4302,
    FEATURE_TRAY2 = 4305,
    FEATURE_BASE_MEDIA = 4307,
    FEATURE_LAST = 4312,  // highest valid id
};

// Handler class ids: the ClassId column of the capability database's feature rows. They share the
// numbering with feature ids, but a class id names the handler class, not a feature: 4132 is the
// sheet preview class, while feature 4132 (roll cut) is served by class 4254.
enum NiraHandlerClassId : int {
    CLASS_PAPER_SIZE = 4114,
    CLASS_PRINT_QUALITY = 4115,
    CLASS_MEDIA_TYPE = 4116,
    CLASS_INPUT_BIN = 4117,
    CLASS_ORIENTATION = 4118,
    CLASS_BORDERLESS = 4119,
    CLASS_FIT_TO_SIZE = 4120,
    CLASS_RESOLUTION = 4123,
    CLASS_DUPLEX = 4125,
    CLASS_PAGES_PER_SHEET = 4128,
    CLASS_BOOKLET = 4130,
    CLASS_SHEET_PREVIEW = 4132,
    CLASS_STATUS_REFRESH = 4133,
    CLASS_SERVICES = 4135,
    CLASS_COLOR_SPACE = 4138,
    CLASS_SHORTCUTS = 4143,  // the printing shortcuts, which may change every feature
    CLASS_IMAGE_PREVIEW = 4145,
    CLASS_PICTURE = 4166,
    CLASS_POPUP_SETTINGS = 4215,
    CLASS_POSTER = 4219,
    CLASS_DUPLEX_UNIT = 4221,
    CLASS_ICC_PROFILE = 4227,
    CLASS_SUPPORT_INFO = 4231,
    CLASS_PAPER_LIST = 4233,
    CLASS_CUSTOM_SIZE = 4234,
    CLASS_COPIES = 4235,
    CLASS_COLLATE = 4236,
    CLASS_APP_PROFILE = 4237,
    CLASS_POSTER_TILES = 4243,
    CLASS_HANDLER_4250 = 4250,
    CLASS_ROLL_CUT = 4254,         // serves FEATURE_ROLL_CUT
    CLASS_SAVE_ROLL_PAPER = 4255,  // the same class, serving FEATURE_SAVE_ROLL_PAPER
    CLASS_PAPER_DIMENSIONS = 4258,
    CLASS_PRESET_POPUP = 4259,
    CLASS_PRINTER_STATUS = 4260,
    CLASS_ADDED_MEDIA = 4261,
    CLASS_CALIBRATION = 4262,
    CLASS_PAIRED_DEFAULTS = 4263,
};
