#ifndef UXPACKEDTEXT_H
#define UXPACKEDTEXT_H

#include <QChar>
#include <QMargins>
#include <QString>
#include <QStringList>

// A property text that packs several values into one string, so that a style sheet
// sets them in one line ("2,4,10,20" or "#ff0000*#00ff00").
//
// The text is split at every separator with empty parts kept (an empty text is one
// empty part). Numbers are read in base 10 without a success check: a part that is
// not a number, or an index past the end, reads as 0. Callers decide from count()
// whether the text is applied at all.
class UxPackedText
{
public:
    explicit UxPackedText(const QString &text, QChar separator = QLatin1Char(','));

    int count() const { return m_parts.size(); }
    const QStringList &parts() const { return m_parts; }
    QString part(int index) const;
    int number(int index) const;

    // Margins written in the order top, right, bottom, left, as in CSS. Only a text of
    // exactly four parts is read; false leaves margins as they were.
    static bool readMargins(const QString &text, QMargins *margins);

private:
    QStringList m_parts;
};

#endif // UXPACKEDTEXT_H
