// SPDX-FileCopyrightText: 2026 The Tockly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DateText.h"

#include <QList>

namespace DateText {

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);

// A date format as its fields ("dddd", "MMMM", "d", "yyyy") with the literal text around each:
// literals[i] comes before fields[i], and the last literal ends the format.
struct Pattern {
    struct Field {
        QChar letter;
        int count = 0;
    };
    QList<Field> fields;
    QStringList literals{QString()};

    explicit Pattern(const QString &format)
    {
        for (qsizetype i = 0; i < format.size();) {
            const QChar c = format[i];
            if (c == u'd' || c == u'M' || c == u'y') {
                qsizetype end = i;
                while (end < format.size() && format[end] == c)
                    ++end;
                fields.append({c, int(end - i)});
                literals.append(QString());
                i = end;
            } else if (c == u'\'') {
                // 'text', where '' is a quote, inside quotes or out.
                const qsizetype open = i;
                for (++i; i < format.size(); ++i) {
                    if (format[i] == u'\'') {
                        if (i + 1 < format.size() && format[i + 1] == u'\'')
                            ++i;
                        else
                            break;
                    }
                    literals.last() += format[i];
                }
                if (i == open + 1)
                    literals.last() += u'\'';
                ++i;
            } else {
                literals.last() += c;
                ++i;
            }
        }
    }

    // The first field of that letter; for days, the weekday ("ddd", "dddd") or the day number.
    qsizetype find(QChar letter, bool weekday = false) const
    {
        for (qsizetype i = 0; i < fields.size(); ++i)
            if (fields[i].letter == letter && (letter != u'd' || (fields[i].count >= 3) == weekday))
                return i;
        return -1;
    }

    // What a literal keeps of the field before it when that field's neighbour goes: the text up
    // to the first space, without a separating comma ("日", "월", the "." of "d."), never a plain
    // separator.
    static QString suffix(const QString &literal)
    {
        qsizetype end = 0;
        while (end < literal.size() && !literal[end].isSpace())
            ++end;
        QString kept = literal.left(end);
        while (!kept.isEmpty() && QStringView(u",،⹁፣、").contains(kept.back()))
            kept.chop(1);
        return kept;
    }

    // Drops a field with the text that belongs to it: the literal after it, or for the last
    // field the separator before it and whatever ends the format.
    void drop(qsizetype i)
    {
        if (i < 0)
            return;
        if (i == fields.size() - 1 && i > 0)
            literals[i] = suffix(literals[i]);
        fields.removeAt(i);
        literals.removeAt(i + 1);
    }

    // The date written in this pattern, with `month` for a full month name when one is given.
    QString write(QDate date, const QLocale &locale, const QString &month = {}) const
    {
        QString out = literals[0];
        for (qsizetype i = 0; i < fields.size(); ++i) {
            const Field &f = fields[i];
            out += f.letter == u'M' && f.count == 4 && !month.isEmpty()
                       ? month
                       : locale.toString(date, QString(f.count, f.letter));
            out += literals[i + 1];
        }
        return out;
    }
};

// The C locale names days and months in English but weekdays' letters by number.
QLocale namingLocale(const QLocale &locale)
{
    return locale.language() == QLocale::C ? english : locale;
}

} // namespace

QString weekdayName(int weekday, QLocale::FormatType type, const QLocale &locale)
{
    const QString name = namingLocale(locale).dayName(weekday, type);
    const bool named = !name.isEmpty() && !name.front().isDigit();
    return named ? name : english.dayName(weekday, type);
}

QString weekdayMonthDay(QDate date, const QLocale &locale)
{
    const QLocale naming = namingLocale(locale);
    Pattern p(naming.dateFormat(QLocale::LongFormat));
    p.drop(p.find(u'y'));
    for (Pattern::Field &f : p.fields)
        if (f.letter == u'M' && f.count == 4)
            f.count = 3;
    return p.write(date, naming);
}

QString monthYear(QDate date, const QLocale &locale)
{
    const QLocale naming = namingLocale(locale);
    Pattern p(naming.dateFormat(QLocale::LongFormat));
    p.drop(p.find(u'd', true));
    p.drop(p.find(u'd', false));
    // The month named on its own, as languages with cases name it in a title.
    return p.write(date, naming, naming.standaloneMonthName(date.month(), QLocale::LongFormat));
}

} // namespace DateText
