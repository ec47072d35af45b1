#include "shell/PageFlipping.h"

#include "ads/AdvertisingCycle.h"
#include "exchange/Austausch.h"
#include "platform/FileLookup.h"
#include "shell/FrameTimers.h"
#include "shell/LaneTarget.h"
#include "shell/ProgramState.h"
#include "shell/RankingView.h"
#include "shell/TargetList.h"

namespace {

void setTargetsVisible(TargetList& scheiben, int first, int last, bool visible)
{
    for (int i = first; i <= last; ++i) {
        if (LaneTarget* target = scheiben.at(i))
            target->setTargetVisible(visible);
    }
}

bool controlFileExists(const QString& directory, const QString& baseName)
{
    return FileLookup::fileExists(FileLookup::join(directory, baseName + QStringLiteral(".ctl")));
}

} // namespace

void SeitenBerechnen(ProgramState& state)
{
    Einstellungen& s = state.settings;
    PageState& pages = state.pages;
    const int n = s.AnfEnde == 1 ? s.EndScheibe - s.AnfScheibe + 1 : s.Scheibenanzahl;
    const int perPage = s.ScheibenProSeite;
    // Pages of no targets cannot be built: treated like everything on one page.
    const int full = perPage > 0 && n > 0 ? n / perPage : 0;
    const int rest = perPage > 0 && n > 0 ? n % perPage : 0;
    const int count = full + (rest > 0 ? 1 : 0);
    pages.Seitenanzahl = static_cast<std::uint8_t>(qBound(0, count, 255));

    if (count <= 1) {
        s.Blaettern = 0;
        pages.SeitenZaehler = 0;
        return;
    }
    for (int p = 1; p <= full; ++p)
        pages.Seiten[p].anzahl = static_cast<std::uint8_t>(perPage);
    if (rest > 0)
        pages.Seiten[count].anzahl = static_cast<std::uint8_t>(rest);
    pages.Seiten[1].zustand = 0;
    pages.Seiten[2].zustand = 2;
    for (int p = 3; p <= count; ++p)
        pages.Seiten[p].zustand = 1;
    pages.SeitenZaehler = pages.Seitenanzahl;
}

void NaechsteSeite(ProgramState& state, TargetList& scheiben)
{
    const Einstellungen& s = state.settings;
    PageState& pages = state.pages;
    // A table left over from before paging was switched off is not flipped
    // any more: without paging every target stays where the layout put it.
    const int count = s.Blaettern == 1 ? pages.Seitenanzahl : 0;
    for (int p = 1; p <= count; ++p) {
        int last = 0;
        if (p < count)
            last = s.ScheibenProSeite * p + (s.AnfEnde == 1 ? s.AnfScheibe - 1 : 0);
        else
            last = s.AnfEnde == 1 ? s.EndScheibe : s.Scheibenanzahl;
        const int first = last - pages.Seiten[p].anzahl + 1;

        PageState::Seite& page = pages.Seiten[p];
        switch (page.zustand) {
        case 0:
            page.zustand = 1;
            setTargetsVisible(scheiben, first, last, false);
            break;
        case 2:
            page.zustand = 0;
            setTargetsVisible(scheiben, first, last, true);
            if (p == count)
                pages.Seiten[1].zustand = 2;
            else
                pages.Seiten[p + 1].zustand = 3;
            break;
        case 3:
            page.zustand = 2;
            // With two pages the page marked here is the one still on screen;
            // it has to leave now, or both pages would stay visible.
            setTargetsVisible(scheiben, first, last, false);
            break;
        default:
            break;
        }
    }
    if (pages.SeitenZaehler < 1) {
        pages.SeitenZaehler = 0;
        pages.AlleSeitenGezeigt = 1;
    } else {
        --pages.SeitenZaehler;
    }
}

QString ranglistenAnfrage(const Einstellungen& s)
{
    return QStringLiteral("%1$%2$%3$%4$%5")
        .arg(s.KORVUWKID)
        .arg(s.KORVUDisziID)
        .arg(s.KORVUKlassenNr)
        .arg(s.KORVUMannschaft)
        .arg(s.VTXServerID);
}

PageFlipper::PageFlipper(
    ProgramState& state, FrameTimers& timers, TargetList& scheiben, RankingView& rangliste, AdvertisingCycle& werbung)
    : m_state(state), m_timers(timers), m_scheiben(scheiben), m_rangliste(rangliste), m_werbung(werbung)
{
}

void PageFlipper::ScheibenZeigen()
{
    m_rangliste.hideView();
    NaechsteSeite(m_state, m_scheiben);
}

void PageFlipper::RanglisteZeigen()
{
    const Einstellungen& s = m_state.settings;
    PageState& pages = m_state.pages;

    m_rangliste.showInFront();
    const QString id = QString::number(s.VTXServerID);
    const bool answerWaiting = controlFileExists(s.KORVUPfad, QStringLiteral("HRang") + id);
    const bool requestWaiting = controlFileExists(s.KORVUPfad, QStringLiteral("HRngCS") + id);
    // The text received is not used: the ranking comes from the ranking file.
    QString anfrage = ranglistenAnfrage(s);
    if (answerWaiting || requestWaiting) {
        pages.RanglisteAngefordert = 1;
        AustauschRangliste(anfrage, s.VTXServerID, 1, s.KORVUPfad, 2, 1);
    } else {
        pages.RanglisteAngefordert = 0;
        AustauschRangliste(anfrage, s.VTXServerID, 1, s.KORVUPfad, 1, 1);
    }

    const int waiting = m_rangliste.pendingLines();
    if (waiting == 0 && pages.RanglisteAngefordert == 1) {
        pages.RanglisteFertig = 0;
        m_rangliste.LeseCSVEin();
        m_rangliste.RanglisteLeeren();
        m_rangliste.RanglisteFuellen();
        return;
    }
    if (waiting > 0 && pages.RanglisteFertig == 0) {
        m_rangliste.RanglisteLeeren();
        m_rangliste.RanglisteFuellen();
    }
    if (m_rangliste.pendingLines() == 0 && pages.RanglisteFertig == 0)
        pages.RanglisteFertig = 1;
}

void PageFlipper::tick()
{
    const Einstellungen& s = m_state.settings;
    PageState& pages = m_state.pages;
    m_timers.tmrBlaettern.setEnabled(false);

    switch (2 * s.RangUndScheibe + s.RanglisteAn) {
    case 0:
    case 2:
        ScheibenZeigen();
        if (pages.AlleSeitenGezeigt == 1) {
            pages.SeitenZaehler = pages.Seitenanzahl;
            pages.AlleSeitenGezeigt = 0;
            m_timers.tmrBlaettern.setInterval(s.Wechselzeit * 1000);
        }
        if (pages.RanglisteAktiv == 1)
            pages.RanglisteAktiv = 0;
        if (pages.RanglisteFertig == 0)
            pages.RanglisteFertig = 1;
        if (pages.RanglisteAngefordert == 1)
            pages.RanglisteAngefordert = 0;
        break;
    case 1:
        RanglisteZeigen();
        if (pages.RanglisteAktiv == 0)
            pages.RanglisteAktiv = 1;
        break;
    case 3:
        if (pages.RanglisteAktiv == 0 && pages.AlleSeitenGezeigt == 0) {
            ScheibenZeigen();
            if (pages.AlleSeitenGezeigt == 1) {
                pages.RanglisteAktiv = 1;
                pages.RanglisteFertig = 0;
            }
        } else if (pages.RanglisteAktiv == 1) {
            if (pages.RanglisteFertig == 0) {
                RanglisteZeigen();
            } else {
                pages.SeitenZaehler = pages.Seitenanzahl;
                pages.RanglisteAktiv = 0;
                pages.AlleSeitenGezeigt = 0;
            }
        }
        break;
    default:
        break;
    }

    if (s.FreieWerbung != 1)
        m_timers.tmrBlaettern.setEnabled(true);
    else
        m_werbung.startSlot();
}
