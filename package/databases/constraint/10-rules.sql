-- The rules between the features of the model. A constraint is triggered by the features of its
-- preconditions and, when its preconditions hold, runs its first action and the actions linked
-- from it. ConditionType 1: the feature has the option (state 0); 2: it has another option.
-- Operator 0: the rule holds when this precondition does; 1: all preconditions must hold;
-- 2: the first precondition that holds decides. ActionType 1 and 2 set an option, 4 shows
-- the pop-up of ActionData3 with message ActionData1, 9 makes an option unavailable (greyed).
INSERT INTO CONSTRAINT_INFO (ConstraintID, Priority) VALUES
  (1, 10),
  (2, 10),
  (3, 8),
  (4, 8),
  (5, 6),
  (6, 6),
  (7, 4),
  (8, 4);
INSERT INTO CONSTRAINT_PRECOND_TRIGGERS (ConstraintID, PreConditionID, FeatureID, State, OptionID, ConditionType, Operator, ActionID, Priority) VALUES
  (1, 101, 4114, 0, 267, 1, 2, 11, 10),
  (1, 102, 4114, 0, 268, 1, 2, 11, 10),
  (1, 103, 4114, 0, 269, 1, 2, 11, 10),
  (2, 201, 4116, 0, 259, 1, 2, 21, 10),
  (2, 202, 4116, 0, 260, 1, 2, 21, 10),
  (2, 203, 4116, 0, 261, 1, 2, 21, 10),
  (3, 301, 4119, 0, 2, 1, 1, 0, 8),
  (3, 302, 4114, 0, 263, 2, 1, 0, 8),
  (3, 303, 4114, 0, 264, 2, 1, 0, 8),
  (3, 304, 4114, 0, 261, 2, 0, 32, 8),
  (4, 401, 4130, 0, 1, 2, 0, 41, 8),
  (5, 501, 4219, 0, 1, 2, 0, 51, 6),
  (6, 601, 4305, 0, 2, 1, 0, 61, 6),
  (7, 701, 4221, 0, 2, 1, 0, 71, 4),
  (8, 801, 4136, 0, 1, 2, 0, 81, 4);
INSERT INTO CONSTRAINT_ACTION_INFO (ActionID, FeatureID, State, ActionType, OptionID, LinkedActionID, ActionData1, ActionData2, ActionData3, ByForce, Priority) VALUES
  (11, 4116, 0, 1, 263, 0, NULL, NULL, NULL, 0, 10),
  (21, 4125, 0, 2, 1, 22, NULL, NULL, NULL, 0, 10),
  (22, 4115, 0, 1, 3, 0, NULL, NULL, NULL, 0, 10),
  (31, 4119, 0, 1, 1, 0, NULL, NULL, NULL, 1, 8),
  (32, 4119, 0, 4, 1, 31, '216', '0', 'Feature unavailable', 0, 8),
  (41, 4125, 0, 1, 2, 42, NULL, NULL, NULL, 0, 8),
  (42, 4128, 0, 1, 1, 0, NULL, NULL, NULL, 0, 8),
  (51, 4128, 0, 1, 1, 52, NULL, NULL, NULL, 0, 6),
  (52, 4130, 0, 1, 1, 0, NULL, NULL, NULL, 0, 6),
  (61, 4117, 3, 9, 9, 0, NULL, NULL, NULL, 0, 6),
  (71, 4125, 3, 9, 2, 72, NULL, NULL, NULL, 0, 4),
  (72, 4125, 3, 9, 3, 0, NULL, NULL, NULL, 0, 4),
  (81, 4227, 0, 2, 1, 0, NULL, NULL, NULL, 0, 4);

-- Borderless printing against plain paper: switching borderless on while plain paper is chosen,
-- or choosing plain paper for a borderless job, marks plain paper conflicting (type 5, icon 127)
-- and makes it a dependent of the feature that changed; the conflict resolution then puts the
-- settings back. Borderless off clears the mark again (type 18).
-- A message box (type 3) when a booklet is asked for on the rear manual feed.
-- Mirror printing turns "print all text as black" off, and its chain leads to an action that the
-- table does not hold (129): the chain ends there.
-- Two rules on the ink volume with the same priority: the later one (14) runs first and its
-- limit keeps the earlier one from overriding the print quality it chose.
-- Rule 15 has no preconditions (and so no trigger): it never holds.
INSERT INTO CONSTRAINT_INFO (ConstraintID, Priority) VALUES
  (9, 5),
  (10, 5),
  (11, 3),
  (12, 3),
  (13, 3),
  (14, 3),
  (15, 3);
INSERT INTO CONSTRAINT_PRECOND_TRIGGERS (ConstraintID, PreConditionID, FeatureID, State, OptionID, ConditionType, Operator, ActionID, Priority) VALUES
  (9, 901, 4119, 0, 2, 1, 1, 0, 5),
  (9, 902, 4116, 0, 256, 1, 0, 91, 5),
  (10, 1001, 4119, 0, 1, 1, 0, 101, 5),
  (11, 1101, 4117, 0, 4, 1, 1, 0, 3),
  (11, 1102, 4130, 0, 1, 2, 0, 111, 3),
  (12, 1201, 4218, 0, 2, 1, 0, 121, 3),
  (13, 1301, 4302, 0, 3, 1, 0, 131, 3),
  (14, 1401, 4302, 0, 3, 1, 0, 141, 3);
INSERT INTO CONSTRAINT_ACTION_INFO (ActionID, FeatureID, State, ActionType, OptionID, LinkedActionID, ActionData1, ActionData2, ActionData3, ByForce, Priority) VALUES
  (91, 4116, 0, 5, 256, 0, '127', NULL, NULL, 0, 5),
  (101, 4116, 0, 18, 256, 0, NULL, NULL, NULL, 0, 5),
  (111, 4130, 0, 3, 1, 0, '15216', '15218', NULL, 0, 3),
  (121, 4222, 0, 1, 1, 129, NULL, NULL, NULL, 0, 3),
  (131, 4115, 0, 1, 2, 0, NULL, NULL, NULL, 0, 3),
  (141, 4115, 0, 1, 3, 0, NULL, NULL, NULL, 0, 3);

-- Maximum dpi is not offered on plain paper (type 2 makes it unavailable, type 8 selectable).
INSERT INTO CONSTRAINT_INFO (ConstraintID, Priority) VALUES
  (16, 2),
  (17, 2);
INSERT INTO CONSTRAINT_PRECOND_TRIGGERS (ConstraintID, PreConditionID, FeatureID, State, OptionID, ConditionType, Operator, ActionID, Priority) VALUES
  (16, 1601, 4116, 0, 256, 1, 0, 161, 2),
  (17, 1701, 4116, 0, 256, 2, 0, 171, 2);
INSERT INTO CONSTRAINT_ACTION_INFO (ActionID, FeatureID, State, ActionType, OptionID, LinkedActionID, ActionData1, ActionData2, ActionData3, ByForce, Priority) VALUES
  (161, 4115, 0, 2, 4, 0, NULL, NULL, NULL, 0, 2),
  (171, 4115, 0, 8, 4, 0, NULL, NULL, NULL, 0, 2);
