-- The demo framework's high-score list, shared by several games of the framework.
CREATE TABLE Punkte (ID INTEGER PRIMARY KEY, Name TEXT, Programm TEXT, Datum TEXT, Punkte INTEGER);
INSERT INTO Punkte (Name, Programm, Datum, Punkte) VALUES
    ('Anna', 'Findolin', '03.11.2026', 420),
    ('Ben', 'Rechenmeister', '04.11.2026', 990),
    ('Clara', 'Findolin', '05.11.2026', 380),
    ('Ben', 'Findolin', '06.11.2026', 150),
    ('Emil', 'Rechenmeister', '06.11.2026', 75),
    ('Dominik', 'Findolin', '08.11.2026', 50);
