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
