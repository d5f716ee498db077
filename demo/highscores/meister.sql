-- The demo framework's high-score list, shared by several games of the framework. A family starts with no
-- Findolin players of its own; only rows of another game are there.
CREATE TABLE Punkte (ID INTEGER PRIMARY KEY, Name TEXT, Programm TEXT, Datum TEXT, Punkte INTEGER);
INSERT INTO Punkte (Name, Programm, Datum, Punkte) VALUES
    ('Ben', 'Rechenmeister', '04.11.2026', 990),
    ('Emil', 'Rechenmeister', '06.11.2026', 75);
