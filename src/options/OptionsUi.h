#pragma once

#include <array>

class DriveList;
class FolderList;
class PictureList;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// The controls of the options dialog, each with its objectName: the main page
// Rahmen_Anzeige and the two overlay pages fraRangliste and fraWerbung,
// which lie hidden over it until called. Captions here are the built-in ones;
// those the language file reaches are set by OptionsTexte_Belegen.
class OptionsUi {
public:
    void setupUi(QWidget* dialog);

    // Main page.
    QGroupBox* Rahmen_Anzeige = nullptr;
    QGroupBox* fraScheibenanzeige = nullptr;
    QCheckBox* TrefferKreuz = nullptr;
    QCheckBox* Nummerierung = nullptr;
    QCheckBox* chkTrefferKreise = nullptr;
    QCheckBox* MittlereTrefferLage = nullptr;
    QCheckBox* cbxZehntel = nullptr;
    QCheckBox* chkAusfAnzeige = nullptr;
    QCheckBox* chkZehner_Serie = nullptr;
    QCheckBox* chkTrefferVergroesserung = nullptr;
    QCheckBox* chkAutozoom = nullptr;
    QCheckBox* chkSchnellAnzeige = nullptr;
    QCheckBox* chkSerienErgebnisse = nullptr;
    QCheckBox* chkEinZeilig = nullptr;
    QCheckBox* chkBuLiAnordnung = nullptr;
    QLabel* lblFarbeProbeEcke = nullptr;
    QFrame* shpFarbTestProbeEcke = nullptr;

    QGroupBox* frmScheibenAnzahl = nullptr;
    QPushButton* Minus = nullptr;
    QPushButton* Plus = nullptr;
    QLabel* lblScheibenAnzahl = nullptr;
    QCheckBox* chkAnfEnd = nullptr;
    QGroupBox* frmAnfScheibe = nullptr;
    QPushButton* cmdAnfangMinus = nullptr;
    QPushButton* cmdAnfangPlus = nullptr;
    QLabel* lblAnfScheibe = nullptr;
    QGroupBox* frmEndScheibe = nullptr;
    QPushButton* cmdEndMinus = nullptr;
    QPushButton* cmdEndPlus = nullptr;
    QLabel* lblEndScheibe = nullptr;
    QCheckBox* chkBlaettern = nullptr;
    QGroupBox* frmAnzSeite = nullptr;
    QPushButton* cmdMinusAnzSeite = nullptr;
    QPushButton* cmdPlusAnzSeite = nullptr;
    QLabel* lblAnzScheibeSeite = nullptr;
    QGroupBox* frmWechselzeit = nullptr;
    QPushButton* cmdMinusWechselzeit = nullptr;
    QPushButton* cmdPlusWechselzeit = nullptr;
    QLabel* lblWechselzeit = nullptr;

    QGroupBox* fraVerbindungsArt = nullptr;
    std::array<QRadioButton*, 2> optNr {};
    QCheckBox* chkAnzeigeServer2 = nullptr;

    QGroupBox* fraFensterOptionen = nullptr;
    QGroupBox* fraStartPosition = nullptr;
    std::array<QRadioButton*, 3> optStartPosition {};
    QGroupBox* fraAufloesung = nullptr;
    std::array<QRadioButton*, 4> optAufloesung {};

    QGroupBox* fraNetzWerk = nullptr;
    DriveList* drvNetzWerk = nullptr;
    FolderList* dlbNetzwerk = nullptr;

    QGroupBox* fraSprachen = nullptr;
    std::array<QRadioButton*, 8> optSprache {};

    QPushButton* cmdRangliste = nullptr;
    QPushButton* cmdWerbung = nullptr;

    // Below the main page.
    QPushButton* OptionSchliessen = nullptr;
    QLabel* lblOsterei = nullptr;

    // Ranking list page.
    QGroupBox* fraRangliste = nullptr;
    QCheckBox* chkRanglisteAn = nullptr;
    QGroupBox* fraRanglistenSettings = nullptr;
    QLabel* lblRangListenTitel = nullptr;
    QLineEdit* tbxRanglistenTitel = nullptr;
    QCheckBox* chkRngShbWechseln = nullptr;
    QCheckBox* chkMannschaftsliste = nullptr;
    QLabel* lblKlassenNr = nullptr;
    QLineEdit* tbxKlassenNr = nullptr;
    QLabel* lblKlassenNotiz = nullptr;
    QLabel* lblDisziplinID = nullptr;
    QLineEdit* tbxDisziplinID = nullptr;
    QLabel* lblWettkampfID = nullptr;
    QLineEdit* tbxWettkampfID = nullptr;
    QLabel* lblKennung = nullptr;
    QLineEdit* tbxKennung = nullptr;
    QGroupBox* fraDatenNetzwerk = nullptr;
    DriveList* dbxDatenNetzwerk = nullptr;
    FolderList* dLbDatenNetzwerk = nullptr;
    QPushButton* cmdZurueck = nullptr;

    // Advertising page.
    QGroupBox* fraWerbung = nullptr;
    QCheckBox* chkVergroessernAus = nullptr;
    QGroupBox* fraWerbePause = nullptr;
    QPushButton* cmdWerbePauseMinus = nullptr;
    QPushButton* cmdWerbePausePlus = nullptr;
    QLabel* lblWerbePause = nullptr;
    QGroupBox* fraWerbeZeit = nullptr;
    QPushButton* cmdWerbeZeitMinus = nullptr;
    QPushButton* cmdWerbeZeitPlus = nullptr;
    QLabel* lblWerbeZeit = nullptr;
    QCheckBox* chkFreieWerbung = nullptr;
    QGroupBox* fraQuelleVerz = nullptr;
    QLineEdit* txtQuellVerz = nullptr;
    PictureList* flbQuellVerz = nullptr;
    QGroupBox* fraZielVerz = nullptr;
    QLineEdit* txtZielVerz = nullptr;
    PictureList* flbZielVerz = nullptr;
    QPushButton* cmdHinzufuegen = nullptr;
    QPushButton* cmdloeschen = nullptr;
    QPushButton* cmdWerbungUebernehmen = nullptr;

private:
    void setupMainPage(QWidget* dialog);
    void setupRankingPage(QWidget* dialog);
    void setupAdvertisingPage(QWidget* dialog);
};
