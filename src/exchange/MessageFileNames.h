#pragma once

#include <QString>

// Base names of the message files. Roles give the two sides complementary
// names: what one side writes under a name, the other reads with the other
// role. Numbers are glued to the prefix in plain decimal.

// Older protocol ("Telvox V1.0 - 3.90"): HServ, HSlav, HAnz, HPlatz, HTreff.
QString DateinameAlt(int nr, int role, int direction);
// Ranking exchange: request HRngCS, answer HRang.
QString DateinameRangliste(int nr, int role, int direction);
// "Telvox 2002" protocol: HCVS / HMVS followed by a, "L" and b.
QString Dateiname2002(int a, int b, int role, int direction);
// The same for display server 2, with "-1" appended.
QString Dateiname2002Server2(int a, int b, int role, int direction);
