#pragma once

#include <QWidget>

class DiagnosticsSource;
class QListWidget;

// Service window: lists the program's loaded windows with their visibility,
// or the target windows with whether they keep their drawing persistently.
// cmdSchliessen only hides it; the list keeps its last content.
class frmDiagnose : public QWidget {
    Q_OBJECT
public:
    explicit frmDiagnose(const DiagnosticsSource& source, QWidget* parent = nullptr);

    // The lines of cmdWindows and cmdScheibenAutoRedraw (the boolean is
    // written "True" or "False").
    static QStringList windowLines(const DiagnosticsSource& source);
    static QStringList autoRedrawLines(const DiagnosticsSource& source);

private:
    void fill(const QStringList& lines);

    const DiagnosticsSource& m_source;
    QListWidget* m_list = nullptr;
};
