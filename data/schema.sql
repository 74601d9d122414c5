-- The Corvanta database ("Sinus.mdb"): tables, indexes, the rule that keeps curves used by
-- an exam, and the exam queries of the five exam types. tools/make_database runs this
-- file on an empty database. Nothing here needs a function or collation of the program's
-- own: the standard SQLite tools must be able to check, read and write the file.

-- The mark by which the program tells its own databases from any other file ("CRVT").
PRAGMA application_id = 1129469524;
PRAGMA user_version = 1;

-- Interface texts in both languages, by window (form) and text number.
CREATE TABLE Langues (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Form INTEGER NOT NULL CHECK (Form BETWEEN 0 AND 10),
    Label INTEGER NOT NULL CHECK (Label BETWEEN 0 AND 200),
    Francais TEXT NOT NULL,
    Anglais TEXT NOT NULL
);

-- Patients. The program writes every column but the key as text; the birth date is
-- "dd/mm/yyyy" (compare it through CDATE). The program's queries sort names in the
-- French order (its FRENCH collation), not the columns themselves.
CREATE TABLE Patients (
    Code_Patient INTEGER PRIMARY KEY AUTOINCREMENT,
    Nom_Patient TEXT,
    Prenom_Patient TEXT,
    Adresse1_Patient TEXT,
    Adresse2_Patient TEXT,
    Ville_Patient TEXT,
    CodePostal_Patient TEXT,
    Telephone1_Patient TEXT,
    Telephone2_Patient TEXT,
    Date_Naissance_Patient TEXT,
    NumeroSS_Patient TEXT,
    Commentaire_Patient TEXT
);
CREATE INDEX Patients_Nom ON Patients (Nom_Patient, Prenom_Patient);
-- The patients in the French name order, made of built-in functions only. A name of
-- printable ASCII and French accented letters keys as the FRENCH collation folds it (case
-- and accents), so that key then name give that order; a Null name keys Null, and any
-- other name 0: the program places those rows itself. The program makes this index in a
-- file made before it and reads it only as written here (app/requetes.cpp).
CREATE INDEX Patients_Ordre_Noms ON Patients (
    CASE WHEN Nom_Patient IS NULL THEN NULL
        WHEN typeof(Nom_Patient) <> 'text' OR instr(Nom_Patient, char(0)) THEN 0
        WHEN NOT Nom_Patient GLOB '*[^ -~]*' THEN lower(Nom_Patient)
        WHEN NOT Nom_Patient GLOB '*[^ -~àâäæçéèêëîïôöœùûüÿ]*' THEN lower(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(Nom_Patient,'à','a'),'â','a'),'ä','a'),'æ','ae'),'ç','c'),'é','e'),'è','e'),'ê','e'),'ë','e'),'î','i'),'ï','i'),'ô','o'),'ö','o'),'œ','oe'),'ù','u'),'û','u'),'ü','u'),'ÿ','y'))
        WHEN NOT Nom_Patient GLOB '*[^ -~ÀÂÄÆÇÉÈÊËÎÏÔÖŒÙÛÜŸ]*' THEN lower(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(Nom_Patient,'À','a'),'Â','a'),'Ä','a'),'Æ','ae'),'Ç','c'),'É','e'),'È','e'),'Ê','e'),'Ë','e'),'Î','i'),'Ï','i'),'Ô','o'),'Ö','o'),'Œ','oe'),'Ù','u'),'Û','u'),'Ü','u'),'Ÿ','y'))
        WHEN Nom_Patient GLOB '[ÀÂÄÆÇÉÈÊËÎÏÔÖŒÙÛÜŸ]*' AND NOT Nom_Patient GLOB '?*[^ -~àâäæçéèêëîïôöœùûüÿ]*' THEN
            CASE substr(Nom_Patient, 1, 1) WHEN 'À' THEN 'a' WHEN 'Â' THEN 'a' WHEN 'Ä' THEN 'a' WHEN 'Æ' THEN 'ae' WHEN 'Ç' THEN 'c' WHEN 'É' THEN 'e' WHEN 'È' THEN 'e' WHEN 'Ê' THEN 'e' WHEN 'Ë' THEN 'e' WHEN 'Î' THEN 'i' WHEN 'Ï' THEN 'i' WHEN 'Ô' THEN 'o' WHEN 'Ö' THEN 'o' WHEN 'Œ' THEN 'oe' WHEN 'Ù' THEN 'u' WHEN 'Û' THEN 'u' WHEN 'Ü' THEN 'u' WHEN 'Ÿ' THEN 'y' END
            || lower(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(substr(Nom_Patient, 2),'à','a'),'â','a'),'ä','a'),'æ','ae'),'ç','c'),'é','e'),'è','e'),'ê','e'),'ë','e'),'î','i'),'ï','i'),'ô','o'),'ö','o'),'œ','oe'),'ù','u'),'û','u'),'ü','u'),'ÿ','y'))
        ELSE 0 END,
    Nom_Patient,
    CASE WHEN Prenom_Patient IS NULL THEN NULL
        WHEN typeof(Prenom_Patient) <> 'text' OR instr(Prenom_Patient, char(0)) THEN 0
        WHEN NOT Prenom_Patient GLOB '*[^ -~]*' THEN lower(Prenom_Patient)
        WHEN NOT Prenom_Patient GLOB '*[^ -~àâäæçéèêëîïôöœùûüÿ]*' THEN lower(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(Prenom_Patient,'à','a'),'â','a'),'ä','a'),'æ','ae'),'ç','c'),'é','e'),'è','e'),'ê','e'),'ë','e'),'î','i'),'ï','i'),'ô','o'),'ö','o'),'œ','oe'),'ù','u'),'û','u'),'ü','u'),'ÿ','y'))
        WHEN NOT Prenom_Patient GLOB '*[^ -~ÀÂÄÆÇÉÈÊËÎÏÔÖŒÙÛÜŸ]*' THEN lower(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(Prenom_Patient,'À','a'),'Â','a'),'Ä','a'),'Æ','ae'),'Ç','c'),'É','e'),'È','e'),'Ê','e'),'Ë','e'),'Î','i'),'Ï','i'),'Ô','o'),'Ö','o'),'Œ','oe'),'Ù','u'),'Û','u'),'Ü','u'),'Ÿ','y'))
        WHEN Prenom_Patient GLOB '[ÀÂÄÆÇÉÈÊËÎÏÔÖŒÙÛÜŸ]*' AND NOT Prenom_Patient GLOB '?*[^ -~àâäæçéèêëîïôöœùûüÿ]*' THEN
            CASE substr(Prenom_Patient, 1, 1) WHEN 'À' THEN 'a' WHEN 'Â' THEN 'a' WHEN 'Ä' THEN 'a' WHEN 'Æ' THEN 'ae' WHEN 'Ç' THEN 'c' WHEN 'É' THEN 'e' WHEN 'È' THEN 'e' WHEN 'Ê' THEN 'e' WHEN 'Ë' THEN 'e' WHEN 'Î' THEN 'i' WHEN 'Ï' THEN 'i' WHEN 'Ô' THEN 'o' WHEN 'Ö' THEN 'o' WHEN 'Œ' THEN 'oe' WHEN 'Ù' THEN 'u' WHEN 'Û' THEN 'u' WHEN 'Ü' THEN 'u' WHEN 'Ÿ' THEN 'y' END
            || lower(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(replace(substr(Prenom_Patient, 2),'à','a'),'â','a'),'ä','a'),'æ','ae'),'ç','c'),'é','e'),'è','e'),'ê','e'),'ë','e'),'î','i'),'ï','i'),'ô','o'),'ö','o'),'œ','oe'),'ù','u'),'û','u'),'ü','u'),'ÿ','y'))
        ELSE 0 END,
    Prenom_Patient);
-- Serves a birth-date search (and the names it lists) without reading the patients' rows.
-- The program creates it in a small file that lacks it.
CREATE INDEX Patients_Naissance ON Patients (Date_Naissance_Patient, Nom_Patient, Prenom_Patient);

-- Stored curves: the raw samples as received, 400 bytes, with the filter settings of
-- the moment and the comparison slot they are shown in.
CREATE TABLE Courbes (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Code_Type INTEGER,
    Code_Patient INTEGER,
    DATE TEXT,
    Commentaire_Courbe TEXT,
    COURBE BLOB CHECK (COURBE IS NULL OR (typeof(COURBE) = 'blob' AND length(COURBE) = 400)),
    MOYENNE INTEGER,
    PASSEBAS INTEGER,
    IMPRIMER INTEGER NOT NULL DEFAULT 0,
    COULEUR INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX Courbes_Patient ON Courbes (Code_Patient, Code_Type);
CREATE INDEX Courbes_Type ON Courbes (Code_Type);
-- The few curves shown in a comparison slot: the start-up finds them without reading the
-- whole table. The program creates it in a small file that lacks it.
CREATE INDEX Courbes_Marquees ON Courbes (IMPRIMER, COULEUR) WHERE IMPRIMER <> 0 OR COULEUR <> 0;

-- Exam records of all five types. Check columns hold 0 or 1, list columns the chosen
-- entry's position (-1 for none), keys the rows of Patients and Courbes. The patient
-- column is named with a blank after the underscore and stands at position 1.
CREATE TABLE Examens (
    Code_Examen INTEGER PRIMARY KEY AUTOINCREMENT,
    "Code_ Patient" INTEGER,
    Code_Type INTEGER,
    Num_Examen TEXT,
    Date_Examen TEXT,
    Docteur_Patient TEXT,
    Imagerie_Face_Standard INTEGER,
    Imagerie_Echo_B INTEGER,
    Imagerie_Scanner INTEGER,
    Imagerie_Autres INTEGER,
    Imagerie_Face_Standard_Status INTEGER,
    Imagerie_Echo_B_Status INTEGER,
    Imagerie_Scanner_Status INTEGER,
    Imagerie_Autres_Status TEXT,
    Origine_Examen_Douleur INTEGER,
    Origine_Examen_Douleur_Type INTEGER,
    Origine_Examen_Ecoulement INTEGER,
    Origine_Examen_Ecoulement_Type INTEGER,
    Origine_Examen_Dysphagie INTEGER,
    Origine_Examen_Fievre INTEGER,
    Origine_Examen_Obstruction INTEGER,
    Origine_Examen_Autres_ORL INTEGER,
    Origine_Examen_Autres_ORL_Detail TEXT,
    Origine_Examen_Autres_CLI INTEGER,
    Origine_Examen_Autres_CLI_Detail TEXT,
    Origine_Examen_Biologiques INTEGER,
    Origine_Examen_Biologiques_Detail TEXT,
    Origine_Examen_Globules INTEGER,
    Origine_Examen_Globules_Detail TEXT,
    Origine_Examen_ORL INTEGER,
    Origine_Examen_ORL_Detail TEXT,
    Origine_Examen_Bio INTEGER,
    Origine_Examen_Bio_Detail TEXT,
    Condition_Position INTEGER,
    Condition_Position_Detail TEXT,
    Condition_Corpulence INTEGER,
    Condition_Remarque TEXT,
    Echogramme_Droit_Num_Courbe INTEGER,
    Echogramme_Gauche_Num_Courbe INTEGER,
    Echogramme_Droit_Normal INTEGER,
    Echogramme_Droit_Occupe INTEGER,
    Echogramme_Droit_Evocateur INTEGER,
    Echogramme_Droit_Autres INTEGER,
    Echogramme_Droit_Autres_Detail TEXT,
    Echogramme_Gauche_Normal INTEGER,
    Echogramme_Gauche_Occupe INTEGER,
    Echogramme_Gauche_Evocateur INTEGER,
    Echogramme_Gauche_Autres INTEGER,
    Echogramme_Gauche_Autres_Detail TEXT,
    Echogramme_Tumeur_Normal INTEGER,
    Echogramme_Tumeur_Liquide INTEGER,
    Echogramme_Tumeur_Homogene INTEGER,
    Echogramme_Tumeur_Heterogene INTEGER,
    Echogramme_Tumeur_Autres INTEGER,
    Echogramme_Tumeur_Autres_Detail TEXT,
    Examen_Compatible TEXT,
    Decision_Lavage INTEGER,
    Decision_Scanner INTEGER,
    Decision_Drainage INTEGER,
    Decision_Ponction INTEGER,
    Decision_Traitement_Medical INTEGER,
    Decision_Traitement_Medical_Detail TEXT,
    Decision_Traitement_Cervicotomie INTEGER,
    Decision_Traitement_Chirurgical INTEGER,
    Decision_Traitement_Chirurgical_Detail TEXT,
    Decision_Traitement_Endoscopie INTEGER
);
-- Serves the exam queries' membership without reading the exam rows.
CREATE INDEX Examens_Type ON Examens (Code_Type, "Code_ Patient", Num_Examen,
                                      Echogramme_Droit_Num_Courbe, Echogramme_Gauche_Num_Courbe);
CREATE INDEX Examens_Patient ON Examens ("Code_ Patient");
CREATE INDEX Examens_Courbe_Droite ON Examens (Echogramme_Droit_Num_Courbe);
CREATE INDEX Examens_Courbe_Gauche ON Examens (Echogramme_Gauche_Num_Courbe);

-- A curve that an exam shows cannot be deleted (the program reports number 3200).
CREATE TRIGGER Courbes_Utilisees BEFORE DELETE ON Courbes
WHEN EXISTS (SELECT 1 FROM Examens
             WHERE Echogramme_Droit_Num_Courbe = OLD.ID OR Echogramme_Gauche_Num_Courbe = OLD.ID)
BEGIN
    SELECT RAISE(ABORT, '3200: The record cannot be deleted or changed because table ''Examens'' includes related records.');
END;

-- Every exam with its patient and its right and left curves. Column 0 is the exam's
-- key, column 1 its patient. Through it (and the five queries below) writes go to
-- Examens by key; the joined curves accept writes through "Courbes_Droites.*" and
-- "Courbes_Gauches.*" (found by "Courbes_Droites.ID" and "Courbes_Gauches.ID"); the
-- patient's columns are read-only.
CREATE VIEW Examens_Complets AS
SELECT Examens.*,
       Patients.Nom_Patient, Patients.Prenom_Patient,
       Patients.Adresse1_Patient, Patients.Adresse2_Patient,
       Patients.CodePostal_Patient, Patients.Ville_Patient,
       Patients.Date_Naissance_Patient, Patients.NumeroSS_Patient,
       Patients.Telephone1_Patient, Patients.Telephone2_Patient,
       Courbes_Droites.ID AS "Courbes_Droites.ID",
       Courbes_Droites.COURBE AS "Courbes_Droites.Courbe",
       Courbes_Droites.DATE AS "Courbes_Droites.DATE",
       Courbes_Droites.Commentaire_Courbe AS "Courbes_Droites.Commentaire_Courbe",
       Courbes_Gauches.ID AS "Courbes_Gauches.ID",
       Courbes_Gauches.COURBE AS "Courbes_Gauches.Courbe",
       Courbes_Gauches.DATE AS "Courbes_Gauches.DATE",
       Courbes_Gauches.Commentaire_Courbe AS "Courbes_Gauches.Commentaire_Courbe"
FROM Examens
LEFT JOIN Patients ON Patients.Code_Patient = Examens."Code_ Patient"
LEFT JOIN Courbes AS Courbes_Droites ON Courbes_Droites.ID = Examens.Echogramme_Droit_Num_Courbe
LEFT JOIN Courbes AS Courbes_Gauches ON Courbes_Gauches.ID = Examens.Echogramme_Gauche_Num_Courbe;

-- The exams of one type: patient name, first name, exam number. The program orders the
-- names in the French order when it opens them; for other tools case is folded here.
CREATE VIEW Req_Examens_0 AS SELECT * FROM Examens_Complets WHERE Code_Type = 0
ORDER BY Nom_Patient COLLATE NOCASE, Prenom_Patient COLLATE NOCASE,
         CAST(Num_Examen AS INTEGER), Num_Examen, Code_Examen;
CREATE VIEW Req_Examens_1 AS SELECT * FROM Examens_Complets WHERE Code_Type = 1
ORDER BY Nom_Patient COLLATE NOCASE, Prenom_Patient COLLATE NOCASE,
         CAST(Num_Examen AS INTEGER), Num_Examen, Code_Examen;
CREATE VIEW Req_Examens_2 AS SELECT * FROM Examens_Complets WHERE Code_Type = 2
ORDER BY Nom_Patient COLLATE NOCASE, Prenom_Patient COLLATE NOCASE,
         CAST(Num_Examen AS INTEGER), Num_Examen, Code_Examen;
CREATE VIEW Req_Examens_3 AS SELECT * FROM Examens_Complets WHERE Code_Type = 3
ORDER BY Nom_Patient COLLATE NOCASE, Prenom_Patient COLLATE NOCASE,
         CAST(Num_Examen AS INTEGER), Num_Examen, Code_Examen;
CREATE VIEW Req_Examens_4 AS SELECT * FROM Examens_Complets WHERE Code_Type = 4
ORDER BY Nom_Patient COLLATE NOCASE, Prenom_Patient COLLATE NOCASE,
         CAST(Num_Examen AS INTEGER), Num_Examen, Code_Examen;
