#pragma once

#include <QRect>
#include <QSize>
#include <QString>

struct Einstellungen;
struct TargetRecords;
class TargetModel;

// What the benchmarks share: the screens they measure, the settings a range
// runs with, and matches of realistic shots.
namespace BenchSupport {

const QSize FullHd(1920, 1080);
const QSize Uhd(3840, 2160);

// Where the frame puts target window `lane` (1-based) when `targets` windows
// share a screen of `screen` pixels (twips at 96 DPI).
QRect targetRect(QSize screen, int targets, int lane);

// Which shots a target marks. Latest: the settings file's defaults (only the
// latest shot, enlarged; the zoom follows it). All: every shot of the match
// enlarged, circled and numbered, and the mean point of impact, the heaviest
// drawing the options allow.
enum class Marks { Latest, All };
const char* marksName(Marks marks);
void useRangeSettings(Einstellungen& settings, Marks marks);

// A match of `shots` shots spread around the centre of the discipline's
// target (lengths in 1/100 mm), the same shots for the same seed.
void fillMatch(TargetRecords& records, int shots, unsigned seed);

// A target of discipline `disziplin` ("1.10" air rifle, "2.10" air pistol)
// from the shipped definition files, with a match of `shots` shots current.
TargetModel loadedTarget(const QString& disziplin, int shots, unsigned seed = 1);

} // namespace BenchSupport
