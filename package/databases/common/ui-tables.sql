-- The tables of a UI layout: containers (a property sheet, a tree view or a pop-up), their
-- windows (a page or dialog; RTLWindowID is the mirrored window for right-to-left languages)
-- and the controls of each window. The UI layout database holds the property sheets; the
-- capability database holds the pop-ups in the same tables.
CREATE TABLE UI_CONTAINERS_INFO (
  ContainerID   INTEGER NOT NULL PRIMARY KEY,
  ContainerName TEXT    NOT NULL UNIQUE,
  FrameType     INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE UI_WINDOWS_INFO (
  WindowID       INTEGER NOT NULL PRIMARY KEY,
  RTLWindowID    INTEGER NOT NULL DEFAULT 0,
  ContainerID    INTEGER NOT NULL REFERENCES UI_CONTAINERS_INFO (ContainerID),
  WindowStringID INTEGER NOT NULL DEFAULT 0,
  WindowHelp     INTEGER NOT NULL DEFAULT 0,
  WindowName     TEXT
);

-- A control is looked up by its ControlID alone, so control ids are unique in the table.
-- The column BitampID is spelled so.
CREATE TABLE UI_WIDGETS_INFO (
  ControlID       INTEGER NOT NULL PRIMARY KEY,
  WindowID        INTEGER NOT NULL REFERENCES UI_WINDOWS_INFO (WindowID),
  RTLWindowID     INTEGER NOT NULL DEFAULT 0,
  GroupID         INTEGER NOT NULL DEFAULT 0,
  FeatureID       INTEGER NOT NULL DEFAULT 0,
  CtrlStringID    INTEGER NOT NULL DEFAULT 0,
  BitampID        INTEGER NOT NULL DEFAULT 0,
  CtrlHelpID      INTEGER NOT NULL DEFAULT 0,
  CtrlType        INTEGER NOT NULL,
  LabelID         INTEGER NOT NULL DEFAULT 0,
  CtrlName        TEXT,
  CtrlState       INTEGER NOT NULL DEFAULT 0,
  MaxValue        INTEGER NOT NULL DEFAULT 0,
  MinValue        INTEGER NOT NULL DEFAULT 0,
  IncrementFactor INTEGER NOT NULL DEFAULT 0,
  LevelID         INTEGER NOT NULL DEFAULT 0,
  EndControl      INTEGER NOT NULL DEFAULT 0
);
