-- The pop-ups that the driver shows from the capability database: container 1 holds the
-- message windows; the window id is the dialog template of the message.
INSERT INTO UI_CONTAINERS_INFO (ContainerID, ContainerName, FrameType) VALUES
  (1, 'Feature unavailable', 4);
INSERT INTO UI_WINDOWS_INFO (WindowID, RTLWindowID, ContainerID, WindowStringID, WindowHelp, WindowName) VALUES
  (216, 1216, 1, 15216, 0, 'Feature unavailable');
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, CtrlName) VALUES
  (21601, 216, 1216, 0, 0, 15218, 0, 0, 19, 'IDC_MESSAGE_TEXT'),
  (21602, 216, 1216, 0, 0, 0, 120, 0, 17, 'IDC_MESSAGE_ICON'),
  (21603, 216, 1216, 0, 0, 15219, 0, 0, 5, 'IDOK');
