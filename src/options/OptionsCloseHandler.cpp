#include "options/OptionsCloseHandler.h"

#include "options/OptionRules.h"
#include "options/OptionsCloseView.h"
#include "options/OptionsHost.h"
#include "options/Sprache.h"
#include "shell/FrameCaption.h"
#include "shell/LaneTarget.h"
#include "shell/PageFlipping.h"
#include "shell/ProgramState.h"
#include "shell/SettingsFile.h"
#include "shell/TargetList.h"

OptionsCloseHandler::OptionsCloseHandler(ProgramState& state, OptionsHost& host, OptionsCloseView& view)
    : m_state(state), m_host(host), m_view(view)
{
}

bool OptionsCloseHandler::layoutChanged(const Einstellungen& s, const WorkingCopies& m, const OptionsControls& c)
{
    return c.chkBuLiAnordnung != s.BuliAnordnung || c.chkAnfEnd != s.AnfEnde || c.chkBlaettern != s.Blaettern
        || m.mEndScheibe != s.EndScheibe || m.mScheibenanzahl != s.Scheibenanzahl || m.mAnfScheibe != s.AnfScheibe
        || m.mScheibenProSeite != s.ScheibenProSeite;
}

OptionsCloseHandler::Outcome OptionsCloseHandler::run(const WorkingCopies& m, const OptionsControls& c)
{
    Einstellungen& s = m_state.settings;

    QString languageFile = Sprache::dateiFuer(s.Sprache);
    Sprache::Sprache_Laden(languageFile, [this](const QString& caption) { m_host.setFrameCaption(caption); });
    m_host.setFrameCaption(m_host.frameCaption() + frameCaptionSuffix());

    const bool rebuild = layoutChanged(s, m, c);

    s.Blaettern = c.chkBlaettern;
    s.AnfEnde = c.chkAnfEnd;
    s.ScheibenProSeite = m.mScheibenProSeite;
    s.Wechselzeit = m.mWechselzeit;
    s.VerbindungsArt = m.mVerbindungsArt;
    s.NetzwerkPfad = m.mNetzwerkPfad;
    s.BuliAnordnung = c.chkBuLiAnordnung;
    s.FarbeProbeEcke = c.farbeProbeEcke;
    s.AnzeigeServerNr = m.mAnzeigeServer2;

    if (s.AnfEnde == 1) {
        s.AnfScheibe = m.mAnfScheibe;
        s.EndScheibe = m.mEndScheibe;
        // With a new count the rebuild places the targets anyway.
        if (s.Scheibenanzahl == m.mScheibenanzahl)
            showRange();
    }
    s.Scheibenanzahl = m.mScheibenanzahl;

    if (s.Blaettern == 1)
        SeitenBerechnen(m_state);

    if (rebuild) {
        m_view.beforeRebuild();
        m_host.rebuildFrame();
        m_host.setRankingTitle(s.RLTitel);
        return Outcome::Rebuilt;
    }

    const bool redraw = applyDisplayOptions(c);
    SettingsFile::EinstellungenSpeichern(m_host.scheiben());
    if (redraw)
        forEachTarget([](LaneTarget& target) { target.Refresh(); });

    m_host.setRankingTitle(s.RLTitel);
    m_view.hideDialog();
    return Outcome::InPlace;
}

void OptionsCloseHandler::showRange()
{
    const Einstellungen& s = m_state.settings;
    TargetList& scheiben = m_host.scheiben();
    for (int i = 1; i <= s.Scheibenanzahl; ++i) {
        if (LaneTarget* target = scheiben.at(i))
            target->setTargetVisible(false);
    }
    for (int i = s.AnfScheibe; i <= s.EndScheibe; ++i) {
        if (LaneTarget* target = scheiben.at(i))
            target->setTargetVisible(true);
    }
}

bool OptionsCloseHandler::applyDisplayOptions(const OptionsControls& c)
{
    Einstellungen& s = m_state.settings;
    bool redraw = false;

    if (c.chkAusfAnzeige != s.AusfAnzeige) {
        s.AusfAnzeige = c.chkAusfAnzeige;
        redraw = true;
        forEachTarget([](LaneTarget& target) { target.TextBelegen(); });
    }
    if (c.TrefferKreuz != s.Trefferkreuze) {
        s.Trefferkreuze = c.TrefferKreuz;
        m_view.setNummerierungEnabled(c.TrefferKreuz == 1);
        redraw = true;
    }
    const auto take = [&redraw](std::uint8_t box, std::uint8_t& key) {
        if (box != key) {
            key = box;
            redraw = true;
        }
    };
    take(c.chkTrefferKreise, s.Trefferkreise);
    take(c.chkZehner_Serie, s.SerienAnzeige);
    take(c.chkTrefferVergroesserung, s.TrefferVergroessern);
    take(c.chkAutozoom, s.AutoZoom);
    take(c.chkSerienErgebnisse, s.SerienErgebnisse);
    take(c.chkSchnellAnzeige, s.Schnellanzeige);

    s.KORVUDisziID = OptionRules::numberField(c.tbxDisziplinID);
    s.KORVUKlassenNr = OptionRules::numberField(c.tbxKlassenNr);
    s.KORVUMannschaft = c.chkMannschaftsliste;
    s.KORVUPfad = c.datenNetzwerkPfad;
    s.KORVUWKID = OptionRules::numberField(c.tbxWettkampfID);
    s.VTXServerID = OptionRules::numberField(c.tbxKennung);
    s.RanglisteAn = c.chkRanglisteAn;
    s.RangUndScheibe = c.chkRngShbWechseln;
    s.RLTitel = c.tbxRanglistenTitel;

    take(c.chkEinZeilig, s.chkEinZeilig);
    return redraw;
}

void OptionsCloseHandler::forEachTarget(void (*call)(LaneTarget&))
{
    TargetList& scheiben = m_host.scheiben();
    for (int i = 1; i <= m_state.settings.Scheibenanzahl; ++i) {
        if (LaneTarget* target = scheiben.at(i))
            call(*target);
    }
}
