#include "core/IniFile.h"

#include "core/TextCodec.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace zircon {
namespace {

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A header is "[name]" once the line is trimmed; the name is trimmed too.
std::optional<QString> headerName(QStringView line)
{
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']')
        return line.mid(1, line.size() - 2).trimmed().toString();
    return std::nullopt;
}

// A value must stay on its one line, or the next read would see other keys.
QString singleLine(const QString& value)
{
    QString out = value;
    for (QChar& c : out) {
        if (c == u'\r' || c == u'\n')
            c = u' ';
    }
    return out;
}

}  // namespace

IniFile IniFile::parse(const QByteArray& bytes)
{
    static const QByteArray utf8Bom("\xEF\xBB\xBF");
    if (bytes.startsWith(utf8Bom))
        return parseText(QString::fromUtf8(bytes.mid(utf8Bom.size())));
    return parseText(fromCp1251(bytes));
}

IniFile IniFile::parseText(const QString& text)
{
    IniFile ini;
    Section* current = nullptr;
    for (const QString& raw : splitTextLines(text)) {
        const QStringView line = QStringView(raw).trimmed();
        if (line.isEmpty())
            continue;
        if (auto name = headerName(line)) {
            // A repeated header continues the first section of that name, so
            // that its keys stay reachable and the first value still wins.
            current = ini.findSection(*name);
            if (!current) {
                ini.m_sections.push_back(Section{*name, {}});
                current = &ini.m_sections.back();
            }
            continue;
        }
        if (!current) {
            ini.m_preamble.append(line.toString());
            continue;
        }
        const bool comment = line.front() == u';';
        const qsizetype eq = comment ? -1 : line.indexOf(u'=');
        QString key = eq > 0 ? line.left(eq).trimmed().toString() : QString();
        if (key.isEmpty())
            current->lines.push_back(Line{QString(), line.toString()});
        else
            current->lines.push_back(Line{std::move(key), line.mid(eq + 1).trimmed().toString()});
    }
    return ini;
}

QString IniFile::toText() const
{
    QStringList lines = m_preamble;
    for (const Section& s : m_sections) {
        if (!lines.isEmpty())
            lines.append(QString());
        lines.append(u'[' + s.name + u']');
        for (const Line& l : s.lines)
            lines.append(l.isEntry() ? l.key + u'=' + l.value : l.value);
    }
    return joinCrLfLines(lines);
}

QByteArray IniFile::serialize() const
{
    return toCp1251(toText());
}

const IniFile::Section* IniFile::findSection(QStringView name) const
{
    for (const Section& s : m_sections) {
        if (sameName(s.name, name))
            return &s;
    }
    return nullptr;
}

IniFile::Section* IniFile::findSection(QStringView name)
{
    return const_cast<Section*>(std::as_const(*this).findSection(name));
}

const IniFile::Line* IniFile::findEntry(QStringView section, QStringView key) const
{
    const Section* s = findSection(section);
    if (!s)
        return nullptr;
    const QStringView wanted = key.trimmed();
    for (const Line& l : s->lines) {
        if (l.isEntry() && sameName(l.key, wanted))
            return &l;
    }
    return nullptr;
}

bool IniFile::hasSection(QStringView section) const
{
    return findSection(section.trimmed()) != nullptr;
}

bool IniFile::hasKey(QStringView section, QStringView key) const
{
    return findEntry(section.trimmed(), key) != nullptr;
}

QStringList IniFile::sectionNames() const
{
    QStringList names;
    for (const Section& s : m_sections)
        names.append(s.name);
    return names;
}

QStringList IniFile::keys(QStringView section) const
{
    QStringList out;
    const Section* s = findSection(section.trimmed());
    if (!s)
        return out;
    for (const Line& l : s->lines) {
        if (!l.isEntry())
            continue;
        // A duplicate is invisible to reads, so it is not listed either.
        if (!out.contains(l.key, Qt::CaseInsensitive))
            out.append(l.key);
    }
    return out;
}

std::optional<QString> IniFile::value(QStringView section, QStringView key) const
{
    if (const Line* l = findEntry(section.trimmed(), key))
        return l->value;
    return std::nullopt;
}

QString IniFile::readString(QStringView section, QStringView key, const QString& def) const
{
    return value(section, key).value_or(def);
}

std::optional<int> IniFile::parseInt(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    if (text[0] == u'+' || text[0] == u'-')
        ++i;
    if (i == text.size())
        return std::nullopt;
    for (qsizetype j = i; j < text.size(); ++j) {
        if (text[j] < u'0' || text[j] > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const qlonglong v = text.toLongLong(&ok, 10);
    if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(v);
}

std::optional<double> IniFile::parseDouble(QStringView text)
{
    QString s = text.trimmed().toString();
    if (s.isEmpty())
        return std::nullopt;
    s.replace(u',', u'.');
    // Only digits, one point, a sign and an exponent: no "inf", no "nan".
    for (QChar c : s) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+' && c != u'e'
            && c != u'E')
            return std::nullopt;
    }
    bool ok = false;
    const double v = QLocale::c().toDouble(s, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

int IniFile::readInt(QStringView section, QStringView key, int def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    return parseInt(*v).value_or(def);
}

int IniFile::readInt(QStringView section, QStringView key, int def, int min, int max) const
{
    const int v = readInt(section, key, def);
    if (min > max)
        return v;
    return v < min ? min : (v > max ? max : v);
}

bool IniFile::readBool(QStringView section, QStringView key, bool def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    const auto n = parseInt(*v);
    return n ? *n != 0 : def;
}

double IniFile::readDouble(QStringView section, QStringView key, double def) const
{
    const auto v = value(section, key);
    if (!v)
        return def;
    return parseDouble(*v).value_or(def);
}

void IniFile::writeString(QStringView section, QStringView key, const QString& value)
{
    const QString name = section.trimmed().toString();
    const QString k = key.trimmed().toString();
    // A nameless key or one holding "=" could not be read back as itself.
    if (k.isEmpty() || k.contains(u'=') || k.startsWith(u';') || name.isEmpty())
        return;
    Section* s = findSection(name);
    if (!s) {
        m_sections.push_back(Section{name, {}});
        s = &m_sections.back();
    }
    const QString v = singleLine(value).trimmed();
    for (Line& l : s->lines) {
        if (l.isEntry() && sameName(l.key, k)) {
            l.value = v;
            return;
        }
    }
    s->lines.push_back(Line{k, v});
}

void IniFile::writeInt(QStringView section, QStringView key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(QStringView section, QStringView key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::writeDouble(QStringView section, QStringView key, double value)
{
    writeString(section, key, QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest));
}

bool IniFile::eraseKey(QStringView section, QStringView key)
{
    Section* s = findSection(section.trimmed());
    if (!s)
        return false;
    const QStringView k = key.trimmed();
    const auto before = s->lines.size();
    std::erase_if(s->lines, [&](const Line& l) { return l.isEntry() && sameName(l.key, k); });
    return s->lines.size() != before;
}

bool IniFile::eraseSection(QStringView section)
{
    const QStringView name = section.trimmed();
    return std::erase_if(m_sections, [&](const Section& s) { return sameName(s.name, name); }) > 0;
}

}  // namespace zircon
