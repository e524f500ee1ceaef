#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "support/QtPrint.h"

namespace lorva::test {

// A throw-away program folder with the sub-folders the program expects.
class TempFolder
{
public:
    TempFolder();

    QString path() const { return m_dir.path(); }
    QString file(const QString &relative) const { return m_dir.path() + u'/' + relative; }

    void write(const QString &relative, const QByteArray &bytes) const;
    QByteArray read(const QString &relative) const;
    bool exists(const QString &relative) const;
    void remove(const QString &relative) const; // file or folder

private:
    QTemporaryDir m_dir;
};

// Lines joined with CR LF, each one ended by it.
QByteArray crlf(std::initializer_list<const char *> lines);

} // namespace lorva::test
