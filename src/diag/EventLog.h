#pragma once

#include <QString>
#include <QtGlobal>

// The faults the display passes over on purpose (a file that is missing or
// cannot be read, a malformed record, a file it could not delete), one line
// each with time, lane and file, so a technician can find out why a lane
// stays empty. The screen never shows any of it.
//
// The log is bounded: the current file and one older generation ("<name>.1")
// together never exceed the bound. Writing to the log never fails the caller;
// a log that cannot be written is simply not written.
class EventLog {
public:
    static constexpr qint64 DefaultBound = 2 * 1024 * 1024;

    explicit EventLog(QString path, qint64 bound = DefaultBound);

    // The log beside the program.
    static QString besideProgram();

    // lane 0 for a fault that belongs to no lane.
    void write(int lane, const QString& file, const QString& what);

    const QString& path() const { return m_path; }
    QString olderPath() const { return m_path + QStringLiteral(".1"); }
    qint64 bound() const { return m_bound; }

private:
    // Makes room for a line of the given size in the current file; false
    // when there is none to be had.
    bool makeRoomFor(qint64 lineSize);

    QString m_path;
    qint64 m_bound;
};
