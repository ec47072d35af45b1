#include "Shooter.h"

#include <QStringList>

#include <array>

namespace {

// Umlauts on purpose: the files travel in Windows-1252.
constexpr std::array kVornamen {"Anna", "Jürgen", "Katrin", "Stefan", "Sabine", "Thomas", "Monika", "Andreas", "Julia",
    "Markus", "Petra", "Michael", "Sandra", "Björn", "Claudia", "Uwe", "Lena", "Florian", "Birgit", "Matthias", "Sören",
    "Heike", "Tobias", "Jörg"};
constexpr std::array kNamen {"Berger", "Müller", "Schmidt", "Hoffmann", "Wagner", "Becker", "Schäfer", "Koch", "Bauer",
    "Richter", "Klein", "Wolf", "Schröder", "Neumann", "Schwarz", "Zimmermann", "Braun", "Krüger", "Hofmann",
    "Hartmann", "Lange", "Weiß", "Günther", "Vogel"};
constexpr std::array kVereine {"SV Tell Oberdorf", "SG Hubertus 1898", "Schützengilde Altstadt", "KKS Frohsinn",
    "SV Edelweiß", "Schützenverein Kirchheim", "SG Blattschuss", "Bürgerschützen Neustadt"};

template<class Array> QString pick(ShotRandom& random, const Array& values)
{
    return QString::fromUtf8(values[static_cast<size_t>(random.between(0, static_cast<int>(values.size()) - 1))]);
}

} // namespace

Shooter Shooter::random(ShotRandom& random, double sigmaBest, double sigmaWorst)
{
    Shooter s;
    s.vorname = pick(random, kVornamen);
    s.name = pick(random, kNamen);
    s.verein = pick(random, kVereine);
    s.startNummer = random.between(100, 999);
    s.sigma = sigmaBest + (sigmaWorst - sigmaBest) * random.uniform();
    // Nobody's group sits exactly in the middle.
    s.offsetX = random.normal(0, 0.4 * s.sigma);
    s.offsetY = random.normal(0, 0.4 * s.sigma);
    s.probeSchuesse = random.between(3, 6);
    return s;
}
