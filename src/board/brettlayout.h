#pragma once

// Where the board and the word display stand on the main form, in twips. The view draws from these numbers;
// the keyboard cursor and the word layout compute with them.
namespace findolin::brettlayout {

inline constexpr int anzahlFelder = 25;
inline constexpr int spalten = 5;
// The distance from one field to the next, also the step of the keyboard cursor.
inline constexpr int feldRaster = 900;

// The frame around the board, relative to the form.
inline constexpr int fldFrameLeft = 360;
inline constexpr int fldFrameTop = 420;
inline constexpr int fldFrameWidth = 4815;
inline constexpr int fldFrameHeight = 4875;

// The field pictures FldPic(i), relative to the frame.
inline constexpr int fldPicLeft0 = 200;
inline constexpr int fldPicTop0 = 280;
inline constexpr int fldPicGroesse = 825;
inline constexpr int fldPicLeft(int feld) {
    return fldPicLeft0 + feldRaster * (feld % spalten);
}
inline constexpr int fldPicTop(int feld) {
    return fldPicTop0 + feldRaster * (feld / spalten);
}

// The letter label FldLbl(i), relative to its picture; Arial bold 24 point.
inline constexpr int fldLblLeft = 90;
inline constexpr int fldLblTop = 120;
inline constexpr int fldLblWidth = 600;
inline constexpr int fldLblHeight = 585;
inline constexpr double fldLblPunkte = 24.0;

// The cursor shape FldCurs, relative to the frame; it frames one field.
inline constexpr int fldCursLeft0 = 150;
inline constexpr int fldCursTop0 = 240;
inline constexpr int fldCursGroesse = 915;
inline constexpr int fldCursLeft(int feld) {
    return fldCursLeft0 + feldRaster * (feld % spalten);
}
inline constexpr int fldCursTop(int feld) {
    return fldCursTop0 + feldRaster * (feld / spalten);
}

// Label4: the column letters "A" to "E" (elements 0 to 4) above the board and the row digits "1" to "5"
// (elements 5 to 9) left of it, relative to the form; Arial bold 9.75 point. They never change.
inline constexpr int label4Anzahl = 10;
inline constexpr int label4Width = 255;
inline constexpr int label4Height = 315;
inline constexpr double label4Punkte = 9.75;
inline constexpr int label4Left(int element) {
    return element < spalten ? 855 + feldRaster * element : 90;
}
inline constexpr int label4Top(int element) {
    return element < spalten ? 150 : 975 + feldRaster * (element - spalten);
}
inline constexpr char label4Text(int element) {
    return element < spalten ? static_cast<char>('A' + element) : static_cast<char>('1' + element - spalten);
}

// The frames of the searched and the found word, relative to the form.
inline constexpr int suchWortFrameLeft = 5490;
inline constexpr int suchWortFrameTop = 420;
inline constexpr int fundWortFrameLeft = 5490;
inline constexpr int fundWortFrameTop = 1500;
inline constexpr int wortFrameWidth = 3255;
inline constexpr int wortFrameHeight = 945;

} // namespace findolin::brettlayout
