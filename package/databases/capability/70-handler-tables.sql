-- What the capability handlers read beyond the feature and option rows: the colour-space
-- profiles (4304) and the switch that offers the add-paper program (4306), the print qualities
-- each resolution allows (FDT4123), the colour profiles of the media (FDT4227, a medium may have
-- several rows: the last one counts) and the base media that added papers name (FDT4307).
INSERT INTO CAP_FEATURES_INFO (Featureid, FeatureName, ClassId, Categoryid, Stringid, DefaultOption, DefaultNonUS, DefaultJapanese, VocabNameSpace, VocabMap) VALUES
  (4304, 'FEATURE_COLOR_SPACE_PROFILES', 4304, 3, 14304, 1, 1, 1, '0', '0'),
  (4306, 'FEATURE_ADD_PAPER_PROGRAM', 4306, 1, 14306, 1, 1, 1, '0', '0');

INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName, VocabIndex, VocabNamespace, VocabMap) VALUES
  (4304, 1, 1, 'sRGB Color Space Profile.icm', 0, '0', '0'),
  (4304, 2, 2, 'Adobe RGB (1998) D65 WP 2.2 Gamma.icc', 0, '0', '0'),
  (4306, 1, 1, 'Offered', 0, '0', '0'),
  (4306, 2, 2, 'Not offered', 0, '0', '0');

CREATE TABLE FDT4123 (ResolutionOptionID INTEGER NOT NULL, PrintQualityOptionID INTEGER NOT NULL);
INSERT INTO FDT4123 VALUES
  (1, 1), (1, 2),
  (2, 2), (2, 3),
  (3, 4);

CREATE TABLE FDT4227 (MediatypeIndex INTEGER NOT NULL, ICCProfileName TEXT NOT NULL);
INSERT INTO FDT4227 VALUES
  (256, 'Nira plain paper.icc'),
  (259, 'Nira photo glossy (draft).icc'),
  (259, 'Nira photo glossy.icc'),
  (261, 'Nira photo matte.icc');

CREATE TABLE FDT4307 (OptionID INTEGER NOT NULL, BaseMediaName TEXT NOT NULL);
INSERT INTO FDT4307 VALUES
  (256, 'Plain paper'),
  (258, 'Brochure paper, matte'),
  (259, 'Photo paper, glossy'),
  (261, 'Photo paper, matte');

-- The poster tile selection (class 4243): the selection mask (4303, a number whose bit k stands for
-- tile 6350 + k; none chosen until the user or a shortcut chooses), the text widget that counts
-- the chosen tiles (6078), the store, restore, select-all and clear-all buttons (6345 to 6348) and
-- the 25 tile widgets (6350 to 6374, option 1 left out, 2 printed). Only the property sheets read
-- the widgets.
INSERT INTO CAP_FEATURES_INFO (Featureid, FeatureName, ClassId, Categoryid, Stringid, DefaultOption, DefaultNonUS, DefaultJapanese, IsFeatureUserInput) VALUES
  (4303, 'FEATURE_POSTER_TILE_MASK', 4243, 2, 14303, 0, 0, 0, 1),
  (6078, 'UI_POSTER_TILE_COUNT', 4243, 0, 16078, 1, 1, 1, 0),
  (6345, 'UI_POSTER_TILES_STORE', 4243, 0, 16345, 1, 1, 1, 0),
  (6346, 'UI_POSTER_TILES_RESTORE', 4243, 0, 16346, 1, 1, 1, 0),
  (6347, 'UI_POSTER_TILES_ALL', 4243, 0, 16347, 1, 1, 1, 0),
  (6348, 'UI_POSTER_TILES_NONE', 4243, 0, 16348, 1, 1, 1, 0);
INSERT INTO CAP_FEATURES_INFO (Featureid, FeatureName, ClassId, Stringid, DefaultOption, DefaultNonUS, DefaultJapanese)
  WITH RECURSIVE tile(id) AS (SELECT 6350 UNION ALL SELECT id + 1 FROM tile WHERE id < 6374)
  SELECT id, 'UI_POSTER_TILE_' || (id - 6349), 4243, 10000 + id, 1, 1, 1 FROM tile;

INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName) VALUES
  (6078, 1, 1, '0'),
  (6345, 1, 1, 'Store'),
  (6346, 1, 1, 'Restore'),
  (6347, 1, 1, 'All'),
  (6348, 1, 1, 'None');
INSERT INTO CAP_OPTIONS_INFO (Featureid, Optionid, OptionIndex, OptionName)
  WITH RECURSIVE tile(id) AS (SELECT 6350 UNION ALL SELECT id + 1 FROM tile WHERE id < 6374)
  SELECT id, 1, 1, 'Left out' FROM tile UNION ALL SELECT id, 2, 2, 'Printed' FROM tile;
