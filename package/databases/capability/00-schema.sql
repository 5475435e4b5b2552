-- The capability database: every feature of the model with its behaviour and display, the
-- options of each feature, the tree view, and what the device answers over bidi. The column
-- names are the driver's own, misspellings included (Thridcategoryid, LableId,
-- OptionNameLenghtLimit, Seperator). A VocabNameSpace or VocabMap of '0' means "no PrintTicket
-- form". Per-feature tables ("FDT" + feature id) and the product data are added by the
-- subsystems that read them.
CREATE TABLE CAP_FEATURES_INFO (
  Featureid             INTEGER NOT NULL PRIMARY KEY,
  FeatureName           TEXT    NOT NULL,
  ClassId               INTEGER NOT NULL,
  SaveState             INTEGER NOT NULL DEFAULT 1,
  FeatureState          INTEGER NOT NULL DEFAULT 1,
  ExternalOptions       INTEGER NOT NULL DEFAULT 0,
  SettingsKey           INTEGER NOT NULL DEFAULT 0,
  DefaultOption         INTEGER NOT NULL DEFAULT 0,
  DefaultNonUS          INTEGER NOT NULL DEFAULT 0,
  DefaultJapanese       INTEGER NOT NULL DEFAULT 0,
  RangeMin              INTEGER NOT NULL DEFAULT 0,
  RangeMax              INTEGER NOT NULL DEFAULT 0,
  BiDiUpdate            INTEGER NOT NULL DEFAULT 0,
  BiDiKeyOID            TEXT,
  bRespectUserSelection INTEGER NOT NULL DEFAULT 0,
  uiDataStore           INTEGER NOT NULL DEFAULT 0,
  Discriminator         INTEGER NOT NULL DEFAULT 0,
  NonUSDiscriminator    INTEGER NOT NULL DEFAULT 0,
  Categoryid            INTEGER NOT NULL DEFAULT 0,
  Subcategoryid         INTEGER NOT NULL DEFAULT 0,
  Thridcategoryid       INTEGER NOT NULL DEFAULT 0,
  Stringid              INTEGER NOT NULL DEFAULT 0,
  LableId               INTEGER NOT NULL DEFAULT 0,
  Bitmapid              INTEGER NOT NULL DEFAULT 0,
  IconId                INTEGER NOT NULL DEFAULT 0,
  HelpId                INTEGER NOT NULL DEFAULT 0,
  IsFeatureUserInput    INTEGER NOT NULL DEFAULT 0,
  OptionNameLenghtLimit INTEGER NOT NULL DEFAULT 0,
  DefaultDisplayState   INTEGER NOT NULL DEFAULT 3,
  SoftLink              INTEGER NOT NULL DEFAULT 0,
  SoftLinkFeatureID     INTEGER NOT NULL DEFAULT 0,
  AuxIndex              INTEGER NOT NULL DEFAULT 0,
  AuxBitOffset          INTEGER NOT NULL DEFAULT 0,
  IgnoreOptionState     INTEGER NOT NULL DEFAULT 0,
  ProductIndex          INTEGER NOT NULL DEFAULT 0,
  VariantIndex          INTEGER NOT NULL DEFAULT 0,
  FeatureType           INTEGER NOT NULL DEFAULT 0,
  VocabNameSpace        TEXT    NOT NULL DEFAULT '0',
  VocabMap              TEXT    NOT NULL DEFAULT '0',
  Commandtemplate       TEXT,
  ProductInstance       INTEGER NOT NULL DEFAULT 0,
  InfoProvided          INTEGER NOT NULL DEFAULT 0
);

-- The options of a feature are read in the order they were written (no key reorders them): the
-- driver lists them in that order. An option id appears once per feature.
-- Option states: 2 selectable, 3 unavailable, 4 conflicting, 5 unavailable and shown greyed;
-- OptionState is for US English, NonUSOptionState and JapaneseOptionState for the others.
CREATE TABLE CAP_OPTIONS_INFO (
  Featureid           INTEGER NOT NULL REFERENCES CAP_FEATURES_INFO (Featureid),
  Optionid            INTEGER NOT NULL,
  OptionIndex         INTEGER NOT NULL,
  OptionName          TEXT    NOT NULL,
  VocabIndex          INTEGER NOT NULL DEFAULT 0,
  BitmapID            INTEGER NOT NULL DEFAULT 0,
  StringID            INTEGER NOT NULL DEFAULT 0,
  IconID              INTEGER NOT NULL DEFAULT 0,
  OptionState         INTEGER NOT NULL DEFAULT 2,
  NonUSOptionState    INTEGER NOT NULL DEFAULT 2,
  JapaneseOptionState INTEGER NOT NULL DEFAULT 2,
  AuxID1              INTEGER NOT NULL DEFAULT 0,
  AuxID2              INTEGER NOT NULL DEFAULT 0,
  AuxID3              INTEGER NOT NULL DEFAULT 0,
  AuxID4              INTEGER NOT NULL DEFAULT 0,
  Category            INTEGER NOT NULL DEFAULT 0,
  Group1              INTEGER NOT NULL DEFAULT 0,
  Group2              INTEGER NOT NULL DEFAULT 0,
  Group3              INTEGER NOT NULL DEFAULT 0,
  Group4              INTEGER NOT NULL DEFAULT 0,
  Group5              INTEGER NOT NULL DEFAULT 0,
  BidiUpdate          INTEGER NOT NULL DEFAULT 0,
  BiDiKey             TEXT,
  BiDistate           INTEGER NOT NULL DEFAULT 0,
  VocabNamespace      TEXT    NOT NULL DEFAULT '0',
  VocabMap            TEXT    NOT NULL DEFAULT '0',
  Sendcommand         INTEGER NOT NULL DEFAULT 0,
  CommandString       TEXT,
  Commandlevel        INTEGER NOT NULL DEFAULT 0,
  CommandIndex        INTEGER NOT NULL DEFAULT 0,
  ProductInstance     INTEGER NOT NULL DEFAULT 0,
  Seperator           INTEGER NOT NULL DEFAULT 0,
  TreeViewCategory    INTEGER NOT NULL DEFAULT 0,
  TreeViewSizeID      INTEGER NOT NULL DEFAULT 0
);

-- The options of one feature are looked up by feature; rows of one feature stay in written order.
CREATE INDEX CAP_OPTIONS_BY_FEATURE ON CAP_OPTIONS_INFO (Featureid);

CREATE TABLE CAP_TREEVIEW_INFO (
  FeatureID     INTEGER NOT NULL REFERENCES CAP_FEATURES_INFO (Featureid),
  OptionID      INTEGER NOT NULL,
  OptionIndex   INTEGER NOT NULL DEFAULT 0,
  SupportOption INTEGER NOT NULL DEFAULT 1,
  StringID      INTEGER NOT NULL DEFAULT 0,
  LevelID       INTEGER NOT NULL DEFAULT 0,
  Discriminator INTEGER NOT NULL DEFAULT 0,
  GroupID       INTEGER NOT NULL DEFAULT 0,
  OptionName    TEXT
);

-- EAC 1: the device answers over USB; DS 1: over the network.
CREATE TABLE UI_BIDI_INFO (
  EAC INTEGER NOT NULL DEFAULT 0,
  DS  INTEGER NOT NULL DEFAULT 0
);
