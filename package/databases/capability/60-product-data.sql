-- Product data of the model: the whole-product row, the print modes (FDT4116, one row per media
-- type and print quality, told apart by the pen set where CoolDot modes exist), the papers
-- (FDT4114, one row per paper, duplex, orientation and minimized margins), the per-feature
-- columns ("FDT" + feature id, one row per option) and the lists of the rendering pipeline.
-- Sizes and margins are in inches.

CREATE TABLE PRODUCT_DATA (
  EKeyEnum_HbIjPmRmProductId                          INTEGER NOT NULL,
  EKeyDword_HbIjPmWantedBandCount                     INTEGER NOT NULL,
  EKeyDword_HbIjPmWantedBandSize                      INTEGER NOT NULL,
  EKeyEnum_SdPdlType                                  INTEGER NOT NULL,
  EKeyEnum_SdPjlEncodingMode                          INTEGER NOT NULL,
  EKeyBool_HbIjPmGdiAntiAliasingEnabled               INTEGER NOT NULL,
  EKeyBool_HbSdPreAnalysisEnabled                     INTEGER NOT NULL,
  EKeyBool_SdBornOnDateEnabled                        INTEGER NOT NULL,
  EKeyBool_SdCurrentBornOnDateEnabled                 INTEGER NOT NULL,
  EKeyBool_HbIjPmZqaFilteringEnabled                  INTEGER NOT NULL,
  EKeyBool_HbIjPmPpPreAnalysisForced                  INTEGER NOT NULL,
  EKeyString_HbIjSdMhDllName                          TEXT    NOT NULL,
  EKeyString_HbIjSdHtDllName                          TEXT    NOT NULL,
  EKeyString_HbIjSdResDllName                         TEXT    NOT NULL,
  EKeyDword_HbIjSdDebugFlags                          INTEGER NOT NULL,
  EKeyBool_HbIjSdReverseBandOrderForEvenPagesAvailable INTEGER NOT NULL,
  EKeyBool_HbIjSdTimeStampMobilePrinterEnabled        INTEGER NOT NULL,
  EKeyBool_HbIjSdJobUiNetworkEnabled                  INTEGER NOT NULL,
  EKeyBool_HbIjSdJobUiEnabled                         INTEGER NOT NULL,
  EKeyBool_HbIjSdCdColorCalEnabled                    INTEGER NOT NULL,
  EKeyBool_HbIjSdJpegPngPassthroughAllowed            INTEGER NOT NULL,
  EKeyBool_HbIjSdShiftMarginsFor180RotationEnabled    INTEGER NOT NULL,
  EKeyBool_HbIjSdSmartDuplexOddPageJobEnabled         INTEGER NOT NULL,
  EKeyBool_HbIjSdSmartDuplexSinglePageJobEnabled      INTEGER NOT NULL,
  EKeyBool_HbIjSdManualDuplexPCLCommandEnabled        INTEGER NOT NULL,
  EKeyBool_SdMapManualFeedToTray1Enabled              INTEGER NOT NULL,
  EKeyBool_SdManualDuplexModalDialogEnabled           INTEGER NOT NULL,
  EKeyBool_SdManualDuplexEvenPagesFirstEnabled        INTEGER NOT NULL,
  EKeyBool_SdManualDuplexUserRotateEnabled            INTEGER NOT NULL,
  EKeyBool_SdPlotwellPrinterClassEnabled              INTEGER NOT NULL,
  EKeyBool_SdDriverRotate180Enabled                   INTEGER NOT NULL,
  EKeyBool_SdRotate180Supported                       INTEGER NOT NULL,
  EKeyFloat_SdMaxCustomPaperWidthInches               REAL    NOT NULL,
  EKeyFloat_SdMaxCustomPaperHeightInches              REAL    NOT NULL,
  EKeyEnum_SdJobAccountingMode                        INTEGER NOT NULL,
  EKeyBool_HbIjSdSpeedMechForManualDuplexAllowed      INTEGER NOT NULL,
  EKeyString_HbIjSdRPOFileName                        TEXT    NOT NULL,
  EKeyBool_SdOutputBinOrientationFaceUp               INTEGER NOT NULL,
  EKeyEnum_HbIjDsFallbackPenSet                       INTEGER NOT NULL,
  EKeyBool_SdInputBinOrientationFaceUp                INTEGER NOT NULL,
  EKeyDword_HbIjSdTopMarginAdjustment                 INTEGER NOT NULL,
  EKeyBool_SdAutomaticallySelectSupported             INTEGER NOT NULL,
  EKeyDword_HbIjSdCDDVDTopMarginAdjustment            INTEGER NOT NULL,
  EKeyString_HbIjSdPumpUsageOption                    TEXT    NOT NULL
);

INSERT INTO PRODUCT_DATA VALUES (
  23, 4, 128, 2, 1, 1, 1, 0, 0, 1, 0,
  'niramh.dll', 'niraht.dll', 'nirarend.dll', 0,
  1, 0, 1, 1, 0, 1, 1, 1, 1, 0,
  0, 1, 1, 0, 0, 1, 1,
  8.5, 14.0, 0, 1, 'nirarpo.dat', 1, 2, 1, 0, 1, 0, 'standard');

-- Print modes. Pen set 2 is the standard tri-colour and black pair, 1 the photo pen in place of
-- the black one; the CoolDot modes of photo paper at maximum dpi exist for both.
CREATE TABLE FDT4116 (
  NiraUIMediaTypeID                           INTEGER NOT NULL,
  NiraUIPrintQualityID                        INTEGER NOT NULL,
  EKeyEnum_HbIjDsPenSet                       INTEGER NOT NULL,
  EKeyDword_HbIjPmPclMediaIndex               INTEGER NOT NULL,
  EKeyDword_HbIjPmPclMediaSubIndex            INTEGER NOT NULL,
  EKeyEnum_HbIjPmPclPrintQuality              INTEGER NOT NULL,
  CoolDotPrintMode                            INTEGER NOT NULL,
  EKeyDword_PmReportedHorzDpi                 INTEGER NOT NULL,
  EKeyDword_PmReportedVertDpi                 INTEGER NOT NULL,
  EKeyDword_HbIjPmBlackHorzResolution         INTEGER NOT NULL,
  EKeyDword_HbIjPmBlackVertResolution         INTEGER NOT NULL,
  EKeyDword_HbIjPmColorHorzResolution         INTEGER NOT NULL,
  EKeyDword_HbIjPmColorVertResolution         INTEGER NOT NULL,
  EKeyBool_HbIjPmSeparateBlackSurfaceEnabled  INTEGER NOT NULL,
  EKeyBool_HbIjPmBlackExtractEnabled          INTEGER NOT NULL,
  EKeyBool_HbIjPmKFortificationEnabled        INTEGER NOT NULL,
  EKeyBool_HbIjPmReducedKChannelEnabled       INTEGER NOT NULL,
  EKeyDword_HbIjPmReducedKChannelMaxLineWidth INTEGER NOT NULL,
  EKeyDword_HbIjPmReducedKChannelMaxFontSize  INTEGER NOT NULL,
  EKeyDword_HbIjPmZqaFilteringSlope           INTEGER NOT NULL,
  EKeyDword_HbIjPmZqaFilteringIntercept       INTEGER NOT NULL,
  EKeyEnum_HbIjPmRmMediaType                  INTEGER NOT NULL,
  EKeyDword_HbIjPmHtBlackLevels               INTEGER NOT NULL,
  EKeyDword_HbIjPmHtColorLevels               INTEGER NOT NULL,
  EKeyDword_HbIjPmHtColorCount                INTEGER NOT NULL,
  EKeyEnum_HbIjPmHtMediaType                  INTEGER NOT NULL,
  EKeyEnum_HbIjPmHtPrintQuality               INTEGER NOT NULL,
  EKeyEnum_HbIjUiPrintQualityGroup            INTEGER NOT NULL,
  EKeyEnum_HbIjPmHtProductId                  INTEGER NOT NULL,
  EKeyBool_HbIjPmSpeedMechCapablePrintMode    INTEGER NOT NULL,
  EKeyBool_HbIjPmPageExtentEnabled            INTEGER NOT NULL,
  EKeyBool_HbIjPmPhotoMediaSelected           INTEGER NOT NULL,
  EKeyBool_HbIjPmHagakiMediaType              INTEGER NOT NULL,
  EKeyDword_HbIjPmGladeProductVariant         INTEGER NOT NULL
);

-- Media 1 is the plain-paper mode that the driver falls back to when it is told to.
CREATE TEMP TABLE product_media (id INTEGER, pcl INTEGER, photo INTEGER, plain INTEGER);
INSERT INTO product_media VALUES
  (1, 0, 0, 1), (256, 0, 0, 1), (257, 1, 0, 1), (258, 2, 0, 0), (259, 3, 1, 0), (260, 4, 1, 0),
  (261, 5, 1, 0), (262, 6, 0, 0), (263, 7, 0, 1), (264, 8, 0, 0), (265, 9, 0, 0);

-- Qualities 1 draft, 2 normal, 3 best, 4 maximum dpi: reported dpi and colour resolution.
CREATE TEMP TABLE product_quality (id INTEGER, dpi INTEGER, colorDpi INTEGER, levels INTEGER, draft INTEGER);
INSERT INTO product_quality VALUES (1, 300, 300, 2, 1), (2, 600, 300, 4, 0), (3, 600, 600, 4, 0),
  (4, 1200, 600, 4, 0);

INSERT INTO FDT4116
SELECT m.id, q.id, 2, m.pcl, 0, q.id - 1, 0, q.dpi, q.dpi,
       CASE q.draft WHEN 1 THEN 300 ELSE 600 END, CASE q.draft WHEN 1 THEN 300 ELSE 600 END,
       q.colorDpi, q.colorDpi,
       m.plain, 1, m.plain, 0, 4, 8, 100, 0, m.pcl, 2, q.levels, CASE m.photo WHEN 1 THEN 6 ELSE 3 END,
       m.pcl, q.id - 1, q.id, 23, q.draft, 0, m.photo, 0, 1
FROM product_media m CROSS JOIN product_quality q
WHERE NOT (m.photo = 1 AND q.id = 4);

INSERT INTO FDT4116
SELECT m.id, q.id, pens.penSet, m.pcl, pens.penSet, q.id - 1, 1, q.dpi, q.dpi, 600, 600, 1200, 1200,
       0, 1, 0, 0, 4, 8, 100, 0, m.pcl, 2, 4, CASE pens.penSet WHEN 1 THEN 6 ELSE 3 END,
       m.pcl, q.id - 1, q.id, 23, 0, 0, 1, 0, 1
FROM product_media m CROSS JOIN product_quality q CROSS JOIN (SELECT 1 AS penSet UNION ALL SELECT 2) pens
WHERE m.photo = 1 AND q.id = 4;

DROP TABLE product_media;
DROP TABLE product_quality;

-- Papers, by option of FEATURE_PAPER_SIZE. Duplex printing needs a larger bottom margin;
-- minimized margins (MM) shrink the sides; landscape rows keep the portrait measures.
CREATE TABLE FDT4114 (
  PaperIndex                               INTEGER NOT NULL,
  ReportedIndex                            INTEGER NOT NULL,
  DimX                                     INTEGER NOT NULL,
  DimY                                     INTEGER NOT NULL,
  OptionID                                 INTEGER NOT NULL,
  Duplex                                   INTEGER NOT NULL,
  Orientation                              INTEGER NOT NULL,
  MM                                       INTEGER NOT NULL,
  PaperName                                TEXT    NOT NULL,
  EKeyDword_HbIjPmPclPaperSizeIndex        INTEGER NOT NULL,
  EKeyFloat_PmPaperWidthInches             REAL    NOT NULL,
  EKeyFloat_PmPaperHeightInches            REAL    NOT NULL,
  EKeyFloat_PmPaperTopMarginInches         REAL    NOT NULL,
  EKeyFloat_PmPaperBottomMarginInches      REAL    NOT NULL,
  EKeyFloat_PmPaperLeftMarginInches        REAL    NOT NULL,
  EKeyFloat_PmPaperRightMarginInches       REAL    NOT NULL,
  CustomSize                               INTEGER NOT NULL,
  Borderless                               INTEGER NOT NULL,
  EKeyBool_HbIjPmBannerEnabled             INTEGER NOT NULL,
  EKeyBool_UiEnvelopeSelected              INTEGER NOT NULL,
  EKeyFloat_HbIjPmTopOverspray             REAL    NOT NULL,
  EKeyFloat_HbIjPmBottomOverspray          REAL    NOT NULL,
  EKeyFloat_HbIjPmLeftOverspray            REAL    NOT NULL,
  EKeyFloat_HbIjPmRightOverspray           REAL    NOT NULL,
  EKeyBool_HbIjUiBorderlessHagakiSelected  INTEGER NOT NULL,
  EKeyBool_UiMediaWidthSensorSupported     INTEGER NOT NULL,
  EKeyEnum_HbIjDefaultInputBinForPaperSize INTEGER NOT NULL,
  EKeyBool_HbIjUiCDDVDPaperSizeSelected    INTEGER NOT NULL
);

-- PaperIndex is the option index of the paper, ReportedIndex the DEVMODE paper number the
-- platform is told, DimX and DimY the size in 1/1200 inch.
CREATE TEMP TABLE product_paper (id INTEGER, name TEXT, pcl INTEGER, width REAL, height REAL,
                                 borderless INTEGER, envelope INTEGER, hagaki INTEGER, bin INTEGER,
                                 reported INTEGER, dimx INTEGER, dimy INTEGER);
INSERT INTO product_paper VALUES
  (256, 'Letter', 2, 8.5, 11.0, 0, 0, 0, 1, 1, 10200, 13200),
  (257, 'Legal', 3, 8.5, 14.0, 0, 0, 0, 1, 5, 10200, 16800),
  (258, 'Executive', 1, 7.25, 10.5, 0, 0, 0, 1, 7, 8700, 12600),
  (259, 'A4', 26, 8.2677, 11.6929, 0, 0, 0, 1, 9, 9921, 14031),
  (260, 'A5', 25, 5.8268, 8.2677, 0, 0, 0, 1, 11, 6992, 9921),
  (261, 'A6', 24, 4.1339, 5.8268, 1, 0, 0, 4, 70, 4961, 6992),
  (262, 'B5 (JIS)', 45, 7.1654, 10.1181, 0, 0, 0, 1, 13, 8598, 12142),
  (263, '4x6 in', 74, 4.0, 6.0, 1, 0, 0, 4, 262, 4800, 7200),
  (264, '5x7 in', 122, 5.0, 7.0, 1, 0, 0, 4, 263, 6000, 8400),
  (265, '8x10 in', 121, 8.0, 10.0, 1, 0, 0, 1, 264, 9600, 12000),
  (266, 'Hagaki', 71, 3.937, 5.8268, 1, 0, 1, 4, 43, 4724, 6992),
  (267, 'Envelope #10', 81, 4.125, 9.5, 0, 1, 0, 4, 20, 4950, 11400),
  (268, 'Envelope DL', 90, 4.3307, 8.6614, 0, 1, 0, 4, 27, 5197, 10394),
  (269, 'Envelope C5', 91, 6.378, 9.0157, 0, 1, 0, 4, 28, 7654, 10819);

INSERT INTO FDT4114
SELECT p.id, p.reported, p.dimx, p.dimy, p.id, s.duplex, s.orientation, s.mm, p.name, p.pcl, p.width, p.height,
       CASE s.mm WHEN 1 THEN 0.118 ELSE 0.125 END,
       CASE s.duplex WHEN 1 THEN 0.46 ELSE (CASE s.mm WHEN 1 THEN 0.118 ELSE 0.5 END) END,
       CASE s.mm WHEN 1 THEN 0.118 ELSE 0.125 END,
       CASE s.mm WHEN 1 THEN 0.118 ELSE 0.125 END,
       0, p.borderless, 0, p.envelope,
       p.borderless * 0.05, p.borderless * 0.05, p.borderless * 0.05, p.borderless * 0.05,
       p.hagaki, 1, p.bin, 0
FROM product_paper p
CROSS JOIN (SELECT d.v AS duplex, o.v AS orientation, m.v AS mm
            FROM (SELECT 0 AS v UNION ALL SELECT 1) d
            CROSS JOIN (SELECT 1 AS v UNION ALL SELECT 2) o
            CROSS JOIN (SELECT 0 AS v UNION ALL SELECT 1) m) s;

DROP TABLE product_paper;

-- Below the papers' index range: the smallest and largest custom size (CustomMin, CustomMax,
-- in 1/1200 inch) and the margins and oversprays of a custom form (OptionID 26) for each
-- minimized-margins choice (MM, the option of 4215), two-sided option, borderless state and
-- orientation.
INSERT INTO FDT4114
SELECT 0, 0, l.dimx, l.dimy, 0, 0, 1, 0, l.name, 0, l.dimx / 1200.0, l.dimy / 1200.0,
       0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0
FROM (SELECT 'CustomMin' AS name, 3600 AS dimx, 6000 AS dimy
      UNION ALL SELECT 'CustomMax', 10200, 16800) l;

INSERT INTO FDT4114
SELECT 26, 0, 0, 0, 26, d.v, o.v, m.v, 'Custom', 0, 0, 0,
       (1 - b.v) * (CASE m.v WHEN 2 THEN 0.118 ELSE 0.125 END),
       (1 - b.v) * (CASE WHEN d.v > 1 THEN 0.46 WHEN m.v = 2 THEN 0.118 ELSE 0.5 END),
       (1 - b.v) * (CASE m.v WHEN 2 THEN 0.118 ELSE 0.125 END),
       (1 - b.v) * (CASE m.v WHEN 2 THEN 0.118 ELSE 0.125 END),
       1, b.v, 0, 0, b.v * 0.05, b.v * 0.05, b.v * 0.05, b.v * 0.05, 0, 1, 1, 0
FROM (SELECT 1 AS v UNION ALL SELECT 2 UNION ALL SELECT 3) d
CROSS JOIN (SELECT 1 AS v UNION ALL SELECT 2) o
CROSS JOIN (SELECT 1 AS v UNION ALL SELECT 2) m
CROSS JOIN (SELECT 0 AS v UNION ALL SELECT 1) b;

-- Per-feature columns: one row per option of the feature.
CREATE TABLE FDT4117 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiInputBin INTEGER NOT NULL);
INSERT INTO FDT4117 VALUES (7, 7), (1, 1), (2, 2), (4, 4);

CREATE TABLE FDT4118 (OptionID INTEGER NOT NULL, EKeyEnum_UiOrientation INTEGER NOT NULL,
                      EKeyEnum_UiLandscapeAngle INTEGER NOT NULL);
INSERT INTO FDT4118 VALUES (1, 1, 0), (2, 2, 1);

CREATE TABLE FDT4120 (OptionID INTEGER NOT NULL, EKeyBool_UiFitToPaper INTEGER NOT NULL);
INSERT INTO FDT4120 VALUES (1, 0), (2, 1);

CREATE TABLE FDT4121 (OptionID INTEGER NOT NULL, EKeyDword_UiDestPaperSizeIndex INTEGER NOT NULL);
INSERT INTO FDT4121 VALUES (256, 2), (257, 3), (259, 26), (260, 25), (263, 74);

CREATE TABLE FDT4125 (OptionID INTEGER NOT NULL, EKeyDword_UiManualDuplexEnabled INTEGER NOT NULL);
INSERT INTO FDT4125 VALUES (1, 0), (2, 1), (3, 1);

CREATE TABLE FDT4126 (OptionID INTEGER NOT NULL, EKeyEnum_UiDuplexMode INTEGER NOT NULL);
INSERT INTO FDT4126 VALUES (1, 1), (2, 2);

CREATE TABLE FDT4127 (OptionID INTEGER NOT NULL, EKeyEnum_UiDuplexScalingOptions INTEGER NOT NULL);
INSERT INTO FDT4127 VALUES (1, 1), (2, 2);

CREATE TABLE FDT4128 (OptionID INTEGER NOT NULL, EKeyEnum_UiNUpMode INTEGER NOT NULL);
INSERT INTO FDT4128 VALUES (1, 1), (2, 2), (3, 4), (4, 6), (5, 9), (6, 16);

CREATE TABLE FDT4129 (OptionID INTEGER NOT NULL, EKeyEnum_UiNUpPageOrder INTEGER NOT NULL);
INSERT INTO FDT4129 VALUES (1, 0), (2, 1), (3, 2), (4, 3);

CREATE TABLE FDT4130 (OptionID INTEGER NOT NULL, EKeyEnum_UiBookletMode INTEGER NOT NULL);
INSERT INTO FDT4130 VALUES (1, 0), (2, 1), (3, 2);

CREATE TABLE FDT4136 (OptionID INTEGER NOT NULL, EKeyBool_HbIjUiGrayscaleEnabled INTEGER NOT NULL,
                      EKeyEnum_UiColorMode INTEGER NOT NULL);
INSERT INTO FDT4136 VALUES (1, 0, 1), (2, 1, 2), (3, 1, 3);

CREATE TABLE FDT4137 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiGrayScaleMode INTEGER NOT NULL);
INSERT INTO FDT4137 VALUES (1, 1), (2, 2);

CREATE TABLE FDT4138 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjPmPclColorSpace INTEGER NOT NULL);
INSERT INTO FDT4138 VALUES (1, 1), (2, 2);

CREATE TABLE FDT4166 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiBrightness INTEGER NOT NULL);
INSERT INTO FDT4166 VALUES (1, 0);

-- The colour sliders take any value from -100 to 100; the value is its own option.
CREATE TEMP TABLE product_slider (v INTEGER);
WITH RECURSIVE steps(v) AS (SELECT -100 UNION ALL SELECT v + 1 FROM steps WHERE v < 100)
INSERT INTO product_slider SELECT v FROM steps;

CREATE TABLE FDT4167 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiSaturation INTEGER NOT NULL);
INSERT INTO FDT4167 SELECT v, v FROM product_slider;
CREATE TABLE FDT4168 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiColorTone INTEGER NOT NULL);
INSERT INTO FDT4168 SELECT v, v FROM product_slider;
CREATE TABLE FDT4169 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiCSlider INTEGER NOT NULL);
INSERT INTO FDT4169 SELECT v, v FROM product_slider;
CREATE TABLE FDT4170 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiMSlider INTEGER NOT NULL);
INSERT INTO FDT4170 SELECT v, v FROM product_slider;
CREATE TABLE FDT4171 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiYSlider INTEGER NOT NULL);
INSERT INTO FDT4171 SELECT v, v FROM product_slider;
CREATE TABLE FDT4172 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiKSlider INTEGER NOT NULL);
INSERT INTO FDT4172 SELECT v, v FROM product_slider;
DROP TABLE product_slider;

CREATE TABLE FDT4215 (OptionID INTEGER NOT NULL, EKeyBool_HbIjUiMinimizeMarginsEnabled INTEGER NOT NULL);
INSERT INTO FDT4215 VALUES (1, 0), (2, 1);

CREATE TABLE FDT4218 (OptionID INTEGER NOT NULL, EKeyBool_UiMirrorPrintEnabled INTEGER NOT NULL);
INSERT INTO FDT4218 VALUES (1, 0), (2, 1);

CREATE TABLE FDT4222 (OptionID INTEGER NOT NULL, EKeyBool_UiPrintTextAsBlackEnabled INTEGER NOT NULL);
INSERT INTO FDT4222 VALUES (1, 0), (2, 1);

CREATE TABLE FDT4243 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiSmoothingSlider INTEGER NOT NULL);
INSERT INTO FDT4243 VALUES (1, 0);

CREATE TABLE FDT4302 (OptionID INTEGER NOT NULL, EKeyEnum_HbIjUiInkVolumeSlider INTEGER NOT NULL);
INSERT INTO FDT4302 VALUES (1, 0), (2, 1), (3, 2);

-- The rendering pipeline: its modules, the driver commands and job-UI events with their scope,
-- and the job-UI dialogs.
CREATE TABLE HB_MODULE_LIST (
  EHbModuleType      INTEGER NOT NULL,
  HbModuleFilename   TEXT    NOT NULL,
  HbModuleExportName TEXT    NOT NULL
);
INSERT INTO HB_MODULE_LIST VALUES
  (1, 'nirarend.dll', 'HbCreateRenderer'),
  (2, 'niraht.dll', 'HbCreateHalftoner'),
  (3, 'N/A', 'HbBuiltInColorMatcher'),
  (4, 'niramh.dll', 'HbCreateMediaHandler');

CREATE TABLE HB_COMMAND_LIST (
  EHbDriverCmdID    INTEGER NOT NULL,
  EHbDriverCmdScope INTEGER NOT NULL
);
INSERT INTO HB_COMMAND_LIST VALUES (1, 1), (2, 1), (3, 2), (4, 2), (5, 3), (6, 3), (7, 2), (8, 1);

CREATE TABLE HB_JOBUI_EVENTS (
  EHbJobUIEventID    INTEGER NOT NULL,
  EHbJobUIEventScope INTEGER NOT NULL
);
INSERT INTO HB_JOBUI_EVENTS VALUES (1, 1), (2, 2), (3, 2), (4, 1), (5, 3);

CREATE TABLE HB_JOBUI_DIALOGS (
  EHbJobUIDialogID   INTEGER NOT NULL,
  uiDialogID         INTEGER NOT NULL,
  uiTitle            INTEGER NOT NULL,
  uiIconID           INTEGER NOT NULL,
  uiDlgType          INTEGER NOT NULL,
  iMessage_Type      INTEGER NOT NULL,
  wcstrMessageString TEXT    NOT NULL,
  iHelp_id           INTEGER NOT NULL,
  bCheckBox          INTEGER NOT NULL,
  ibutt1             INTEGER NOT NULL,
  ibutt2             INTEGER NOT NULL,
  ibutt4             INTEGER NOT NULL,
  ibitmap_id         INTEGER NOT NULL
);
INSERT INTO HB_JOBUI_DIALOGS VALUES
  (1, 301, 1301, 32, 1, 1, 'Remove the printed pages and put them back in the tray, printed side down.', 5301, 0, 1, 2, 0, 401),
  (2, 302, 1302, 48, 2, 2, 'The printer is out of paper. Load paper and press Continue.', 5302, 1, 1, 2, 0, 402),
  (3, 303, 1303, 16, 2, 3, 'The ink cartridges are not installed correctly.', 5303, 0, 2, 0, 0, 403);
