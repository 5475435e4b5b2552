-- The device answers status queries over USB (EAC) and over the network (DS).
INSERT INTO UI_BIDI_INFO (EAC, DS) VALUES (1, 1);
