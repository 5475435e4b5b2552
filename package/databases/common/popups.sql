-- The pop-ups that the driver shows: container 1 holds the message windows; the window id is the
-- dialog template of the message. Both the capability and the UI layout database carry them: the
-- UI core names the capability database for a pop-up, and the layout reader the property sheets
-- opened keeps reading the database it opened first.
INSERT INTO UI_CONTAINERS_INFO (ContainerID, ContainerName, FrameType) VALUES
  (1, 'Feature unavailable', 4);
INSERT INTO UI_WINDOWS_INFO (WindowID, RTLWindowID, ContainerID, WindowStringID, WindowHelp, WindowName) VALUES
  (216, 1216, 1, 15216, 0, 'Feature unavailable');
-- Its texts are the conflict pop-up's widget features that the UI core fills: the heading (6531),
-- three conflicts of four features each from 6533 (name, ":", option, a spare line) and the line
-- on what was restored (6532). OK ends the pop-up (EndControl 1).
INSERT INTO UI_WIDGETS_INFO (ControlID, WindowID, RTLWindowID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, CtrlName, EndControl) VALUES
  (21602, 216, 1216, 0, 0, 0, 120, 0, 17, 'IDC_MESSAGE_ICON', 0),
  (21610, 216, 1216, 0, 6531, 0, 0, 0, 19, 'IDC_MESSAGE_HEADING', 0),
  (21620, 216, 1216, 0, 6533, 0, 0, 0, 19, 'IDC_CONFLICT_1_NAME', 0),
  (21621, 216, 1216, 0, 6534, 0, 0, 0, 19, 'IDC_CONFLICT_1_COLON', 0),
  (21622, 216, 1216, 0, 6535, 0, 0, 0, 19, 'IDC_CONFLICT_1_OPTION', 0),
  (21624, 216, 1216, 0, 6537, 0, 0, 0, 19, 'IDC_CONFLICT_2_NAME', 0),
  (21625, 216, 1216, 0, 6538, 0, 0, 0, 19, 'IDC_CONFLICT_2_COLON', 0),
  (21626, 216, 1216, 0, 6539, 0, 0, 0, 19, 'IDC_CONFLICT_2_OPTION', 0),
  (21628, 216, 1216, 0, 6541, 0, 0, 0, 19, 'IDC_CONFLICT_3_NAME', 0),
  (21629, 216, 1216, 0, 6542, 0, 0, 0, 19, 'IDC_CONFLICT_3_COLON', 0),
  (21630, 216, 1216, 0, 6543, 0, 0, 0, 19, 'IDC_CONFLICT_3_OPTION', 0),
  (21611, 216, 1216, 0, 6532, 0, 0, 0, 19, 'IDC_MESSAGE_RESTORED', 0),
  (21603, 216, 1216, 0, 6530, 15219, 0, 0, 5, 'IDOK', 1);
