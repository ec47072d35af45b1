#include "options/OptionsUi.h"

#include "options/DriveList.h"
#include "options/FolderList.h"
#include "options/PictureList.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

template<class W> W* make(const QString& name, QWidget* parent, const QString& caption = QString())
{
    auto* widget = new W(parent);
    widget->setObjectName(name);
    if constexpr (std::is_base_of_v<QGroupBox, W>) {
        widget->setTitle(caption);
    } else if constexpr (std::is_base_of_v<QAbstractButton, W> || std::is_base_of_v<QLabel, W>) {
        widget->setText(caption);
    }
    return widget;
}

QString name(const char* text)
{
    return QString::fromLatin1(text);
}

struct Stepper {
    QGroupBox* frame;
    QPushButton* minus;
    QLabel* value;
    QPushButton* plus;
};

Stepper makeStepper(QWidget* parent, const char* frame, const char* minus, const char* label, const char* plus)
{
    Stepper s;
    s.frame = make<QGroupBox>(name(frame), parent);
    s.minus = make<QPushButton>(name(minus), s.frame, QStringLiteral("-"));
    s.value = make<QLabel>(name(label), s.frame);
    s.plus = make<QPushButton>(name(plus), s.frame, QStringLiteral("+"));
    s.value->setAlignment(Qt::AlignCenter);
    s.value->setMinimumWidth(40);
    for (QPushButton* button : {s.minus, s.plus})
        button->setFixedWidth(28);
    auto* layout = new QHBoxLayout(s.frame);
    layout->addWidget(s.minus);
    layout->addWidget(s.value, 1);
    layout->addWidget(s.plus);
    return s;
}

template<std::size_t N>
void makeRadios(std::array<QRadioButton*, N>& radios, const char* prefix, QGroupBox* frame, QGridLayout* layout,
    int columns, const std::array<const char*, N>& captions = {})
{
    for (std::size_t i = 0; i < N; ++i) {
        const QString caption = captions[i] ? QString::fromLatin1(captions[i]) : QString();
        radios[i] = make<QRadioButton>(QString::fromLatin1(prefix) + QString::number(i), frame, caption);
        layout->addWidget(radios[i], int(i) / columns, int(i) % columns);
    }
}

QGroupBox* overlayPage(const char* objectName, QWidget* dialog, const QString& caption)
{
    auto* page = make<QGroupBox>(name(objectName), dialog, caption);
    page->setAutoFillBackground(true);
    page->hide();
    return page;
}

} // namespace

void OptionsUi::setupUi(QWidget* dialog)
{
    setupMainPage(dialog);
    setupRankingPage(dialog);
    setupAdvertisingPage(dialog);

    OptionSchliessen = make<QPushButton>(name("OptionSchliessen"), dialog);
    lblOsterei = make<QLabel>(name("lblOsterei"), dialog);
    lblOsterei->setFixedSize(24, 16);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblOsterei);
    bottom->addStretch(1);
    bottom->addWidget(OptionSchliessen);

    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(Rahmen_Anzeige, 1);
    layout->addLayout(bottom);
}

void OptionsUi::setupMainPage(QWidget* dialog)
{
    Rahmen_Anzeige = make<QGroupBox>(name("Rahmen_Anzeige"), dialog);

    // Display options with the colour of the sighting corner.
    fraScheibenanzeige = make<QGroupBox>(name("fraScheibenanzeige"), Rahmen_Anzeige);
    auto* display = new QVBoxLayout(fraScheibenanzeige);
    const auto check = [&](const char* objectName) {
        auto* box = make<QCheckBox>(name(objectName), fraScheibenanzeige);
        display->addWidget(box);
        return box;
    };
    TrefferKreuz = check("TrefferKreuz");
    Nummerierung = check("Nummerierung");
    chkTrefferKreise = check("chkTrefferKreise");
    MittlereTrefferLage = check("MittlereTrefferLage");
    cbxZehntel = check("cbxZehntel");
    chkAusfAnzeige = check("chkAusfAnzeige");
    chkZehner_Serie = check("chkZehner_Serie");
    chkTrefferVergroesserung = check("chkTrefferVergroesserung");
    chkAutozoom = check("chkAutozoom");
    chkSchnellAnzeige = check("chkSchnellAnzeige");
    chkSerienErgebnisse = check("chkSerienErgebnisse");
    chkEinZeilig = check("chkEinZeilig");
    chkBuLiAnordnung = check("chkBuLiAnordnung");
    lblFarbeProbeEcke = make<QLabel>(name("lblFarbeProbeEcke"), fraScheibenanzeige);
    lblFarbeProbeEcke->setCursor(Qt::PointingHandCursor);
    shpFarbTestProbeEcke = make<QFrame>(name("shpFarbTestProbeEcke"), fraScheibenanzeige);
    shpFarbTestProbeEcke->setFrameShape(QFrame::Box);
    shpFarbTestProbeEcke->setFixedSize(40, 20);
    shpFarbTestProbeEcke->setAutoFillBackground(true);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(lblFarbeProbeEcke);
    colourRow->addWidget(shpFarbTestProbeEcke);
    colourRow->addStretch(1);
    display->addLayout(colourRow);
    display->addStretch(1);

    // Count, range and paging.
    auto* targets = new QVBoxLayout;
    Stepper count = makeStepper(Rahmen_Anzeige, "frmScheibenAnzahl", "Minus", "lblScheibenAnzahl", "Plus");
    frmScheibenAnzahl = count.frame;
    Minus = count.minus;
    lblScheibenAnzahl = count.value;
    Plus = count.plus;
    chkAnfEnd = make<QCheckBox>(name("chkAnfEnd"), Rahmen_Anzeige);
    Stepper first = makeStepper(Rahmen_Anzeige, "frmAnfScheibe", "cmdAnfangMinus", "lblAnfScheibe", "cmdAnfangPlus");
    frmAnfScheibe = first.frame;
    cmdAnfangMinus = first.minus;
    lblAnfScheibe = first.value;
    cmdAnfangPlus = first.plus;
    Stepper last = makeStepper(Rahmen_Anzeige, "frmEndScheibe", "cmdEndMinus", "lblEndScheibe", "cmdEndPlus");
    frmEndScheibe = last.frame;
    cmdEndMinus = last.minus;
    lblEndScheibe = last.value;
    cmdEndPlus = last.plus;
    chkBlaettern = make<QCheckBox>(name("chkBlaettern"), Rahmen_Anzeige);
    Stepper perPage
        = makeStepper(Rahmen_Anzeige, "frmAnzSeite", "cmdMinusAnzSeite", "lblAnzScheibeSeite", "cmdPlusAnzSeite");
    frmAnzSeite = perPage.frame;
    cmdMinusAnzSeite = perPage.minus;
    lblAnzScheibeSeite = perPage.value;
    cmdPlusAnzSeite = perPage.plus;
    Stepper interval
        = makeStepper(Rahmen_Anzeige, "frmWechselzeit", "cmdMinusWechselzeit", "lblWechselzeit", "cmdPlusWechselzeit");
    frmWechselzeit = interval.frame;
    cmdMinusWechselzeit = interval.minus;
    lblWechselzeit = interval.value;
    cmdPlusWechselzeit = interval.plus;
    for (QWidget* widget : std::initializer_list<QWidget*> {
             frmScheibenAnzahl, chkAnfEnd, frmAnfScheibe, frmEndScheibe, chkBlaettern, frmAnzSeite, frmWechselzeit})
        targets->addWidget(widget);
    targets->addStretch(1);

    // Connection, window, network folder, language, the two other pages.
    auto* right = new QVBoxLayout;
    fraVerbindungsArt = make<QGroupBox>(name("fraVerbindungsArt"), Rahmen_Anzeige);
    auto* connection = new QGridLayout(fraVerbindungsArt);
    makeRadios(optNr, "optNr", fraVerbindungsArt, connection, 1);
    chkAnzeigeServer2 = make<QCheckBox>(name("chkAnzeigeServer2"), fraVerbindungsArt);
    connection->addWidget(chkAnzeigeServer2, 2, 0);

    fraFensterOptionen = make<QGroupBox>(name("fraFensterOptionen"), Rahmen_Anzeige);
    auto* window = new QHBoxLayout(fraFensterOptionen);
    fraStartPosition = make<QGroupBox>(name("fraStartPosition"), fraFensterOptionen);
    makeRadios(optStartPosition, "optStartPosition", fraStartPosition, new QGridLayout(fraStartPosition), 1);
    fraAufloesung = make<QGroupBox>(name("fraAufloesung"), fraFensterOptionen);
    makeRadios<4>(optAufloesung, "optAufloesung", fraAufloesung, new QGridLayout(fraAufloesung), 1,
        {"640 x 480", "800 x 600", "1024 x 768", "1360 x 768"});
    window->addWidget(fraStartPosition);
    window->addWidget(fraAufloesung);

    fraNetzWerk = make<QGroupBox>(name("fraNetzWerk"), Rahmen_Anzeige);
    auto* network = new QVBoxLayout(fraNetzWerk);
    drvNetzWerk = make<DriveList>(name("drvNetzWerk"), fraNetzWerk);
    dlbNetzwerk = make<FolderList>(name("dlbNetzwerk"), fraNetzWerk);
    dlbNetzwerk->setMinimumHeight(90);
    network->addWidget(drvNetzWerk);
    network->addWidget(dlbNetzwerk);

    fraSprachen = make<QGroupBox>(name("fraSprachen"), Rahmen_Anzeige);
    makeRadios(optSprache, "optSprache", fraSprachen, new QGridLayout(fraSprachen), 2);

    cmdRangliste = make<QPushButton>(name("cmdRangliste"), Rahmen_Anzeige, QStringLiteral("Rangliste"));
    cmdWerbung = make<QPushButton>(name("cmdWerbung"), Rahmen_Anzeige);
    auto* pages = new QHBoxLayout;
    pages->addWidget(cmdRangliste);
    pages->addWidget(cmdWerbung);

    right->addWidget(fraVerbindungsArt);
    right->addWidget(fraFensterOptionen);
    right->addWidget(fraNetzWerk, 1);
    right->addWidget(fraSprachen);
    right->addLayout(pages);

    auto* layout = new QHBoxLayout(Rahmen_Anzeige);
    layout->addWidget(fraScheibenanzeige);
    layout->addLayout(targets);
    layout->addLayout(right, 1);
}

void OptionsUi::setupRankingPage(QWidget* dialog)
{
    fraRangliste = overlayPage("fraRangliste", dialog, QStringLiteral("Rangliste"));
    chkRanglisteAn = make<QCheckBox>(name("chkRanglisteAn"), fraRangliste, QStringLiteral("Rangliste aktivieren"));

    fraRanglistenSettings
        = make<QGroupBox>(name("fraRanglistenSettings"), fraRangliste, QStringLiteral("Ranglisten-Einstellung"));
    auto* settings = new QGridLayout(fraRanglistenSettings);
    lblRangListenTitel
        = make<QLabel>(name("lblRangListenTitel"), fraRanglistenSettings, QStringLiteral("Ranglistentitel"));
    tbxRanglistenTitel = make<QLineEdit>(name("tbxRanglistenTitel"), fraRanglistenSettings);
    chkRngShbWechseln = make<QCheckBox>(name("chkRngShbWechseln"), fraRanglistenSettings,
        QStringLiteral("Rangliste im Wechsel mit den Scheiben zeigen"));
    chkMannschaftsliste
        = make<QCheckBox>(name("chkMannschaftsliste"), fraRanglistenSettings, QStringLiteral("ManschaftsRangliste"));
    lblKlassenNr = make<QLabel>(name("lblKlassenNr"), fraRanglistenSettings, QStringLiteral("KORVU-KlassenNummer :"));
    tbxKlassenNr = make<QLineEdit>(name("tbxKlassenNr"), fraRanglistenSettings);
    lblKlassenNotiz
        = make<QLabel>(name("lblKlassenNotiz"), fraRanglistenSettings, QStringLiteral("(0 = Alle Klassen)"));
    lblDisziplinID
        = make<QLabel>(name("lblDisziplinID"), fraRanglistenSettings, QStringLiteral("KORVU-Disziplin-ID. :"));
    tbxDisziplinID = make<QLineEdit>(name("tbxDisziplinID"), fraRanglistenSettings);
    lblWettkampfID
        = make<QLabel>(name("lblWettkampfID"), fraRanglistenSettings, QStringLiteral("KORVU-Wettkampf-ID. :"));
    tbxWettkampfID = make<QLineEdit>(name("tbxWettkampfID"), fraRanglistenSettings);
    lblKennung = make<QLabel>(name("lblKennung"), fraRanglistenSettings, QStringLiteral("VTX-ServerKennNummer :"));
    tbxKennung = make<QLineEdit>(name("tbxKennung"), fraRanglistenSettings);
    settings->addWidget(lblRangListenTitel, 0, 0);
    settings->addWidget(tbxRanglistenTitel, 0, 1, 1, 2);
    settings->addWidget(chkRngShbWechseln, 1, 0, 1, 3);
    settings->addWidget(chkMannschaftsliste, 2, 0, 1, 3);
    settings->addWidget(lblKlassenNr, 3, 0);
    settings->addWidget(tbxKlassenNr, 3, 1);
    settings->addWidget(lblKlassenNotiz, 3, 2);
    settings->addWidget(lblDisziplinID, 4, 0);
    settings->addWidget(tbxDisziplinID, 4, 1);
    settings->addWidget(lblWettkampfID, 5, 0);
    settings->addWidget(tbxWettkampfID, 5, 1);
    settings->addWidget(lblKennung, 6, 0);
    settings->addWidget(tbxKennung, 6, 1);

    fraDatenNetzwerk = make<QGroupBox>(name("fraDatenNetzwerk"), fraRangliste, QStringLiteral("DatenbankPfad"));
    auto* folder = new QVBoxLayout(fraDatenNetzwerk);
    dbxDatenNetzwerk = make<DriveList>(name("dbxDatenNetzwerk"), fraDatenNetzwerk);
    dLbDatenNetzwerk = make<FolderList>(name("dLbDatenNetzwerk"), fraDatenNetzwerk);
    folder->addWidget(dbxDatenNetzwerk);
    folder->addWidget(dLbDatenNetzwerk);

    cmdZurueck = make<QPushButton>(name("cmdZurueck"), fraRangliste, QStringLiteral("Zurueck"));

    auto* layout = new QVBoxLayout(fraRangliste);
    layout->addWidget(chkRanglisteAn);
    layout->addWidget(fraRanglistenSettings);
    layout->addWidget(fraDatenNetzwerk, 1);
    layout->addWidget(cmdZurueck, 0, Qt::AlignRight);
}

void OptionsUi::setupAdvertisingPage(QWidget* dialog)
{
    fraWerbung = overlayPage("fraWerbung", dialog, QString());
    chkVergroessernAus = make<QCheckBox>(name("chkVergroessernAus"), fraWerbung, QStringLiteral("Vergroessern aus"));

    Stepper time = makeStepper(fraWerbung, "fraWerbeZeit", "cmdWerbeZeitMinus", "lblWerbeZeit", "cmdWerbeZeitPlus");
    fraWerbeZeit = time.frame;
    cmdWerbeZeitMinus = time.minus;
    lblWerbeZeit = time.value;
    cmdWerbeZeitPlus = time.plus;
    Stepper pause
        = makeStepper(fraWerbung, "fraWerbePause", "cmdWerbePauseMinus", "lblWerbePause", "cmdWerbePausePlus");
    fraWerbePause = pause.frame;
    cmdWerbePauseMinus = pause.minus;
    lblWerbePause = pause.value;
    cmdWerbePausePlus = pause.plus;
    auto* times = new QHBoxLayout;
    times->addWidget(fraWerbeZeit);
    times->addWidget(fraWerbePause);
    times->addStretch(1);

    chkFreieWerbung = make<QCheckBox>(name("chkFreieWerbung"), fraWerbung);

    fraQuelleVerz = make<QGroupBox>(name("fraQuelleVerz"), fraWerbung);
    auto* source = new QVBoxLayout(fraQuelleVerz);
    txtQuellVerz = make<QLineEdit>(name("txtQuellVerz"), fraQuelleVerz);
    txtQuellVerz->setReadOnly(true);
    txtQuellVerz->setCursor(Qt::PointingHandCursor);
    flbQuellVerz = make<PictureList>(name("flbQuellVerz"), fraQuelleVerz);
    source->addWidget(txtQuellVerz);
    source->addWidget(flbQuellVerz);

    fraZielVerz = make<QGroupBox>(name("fraZielVerz"), fraWerbung);
    auto* target = new QVBoxLayout(fraZielVerz);
    txtZielVerz = make<QLineEdit>(name("txtZielVerz"), fraZielVerz);
    txtZielVerz->setReadOnly(true);
    flbZielVerz = make<PictureList>(name("flbZielVerz"), fraZielVerz);
    target->addWidget(txtZielVerz);
    target->addWidget(flbZielVerz);

    cmdHinzufuegen = make<QPushButton>(name("cmdHinzufuegen"), fraWerbung);
    cmdloeschen = make<QPushButton>(name("cmdloeschen"), fraWerbung);
    auto* buttons = new QVBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdHinzufuegen);
    buttons->addWidget(cmdloeschen);
    buttons->addStretch(1);

    auto* pictures = new QHBoxLayout;
    pictures->addWidget(fraQuelleVerz, 1);
    pictures->addLayout(buttons);
    pictures->addWidget(fraZielVerz, 1);

    cmdWerbungUebernehmen = make<QPushButton>(name("cmdWerbungUebernehmen"), fraWerbung);

    auto* layout = new QVBoxLayout(fraWerbung);
    layout->addWidget(chkVergroessernAus);
    layout->addLayout(times);
    layout->addWidget(chkFreieWerbung);
    layout->addLayout(pictures, 1);
    layout->addWidget(cmdWerbungUebernehmen, 0, Qt::AlignRight);
}
