#pragma once
// The in-memory copy of one ini-format file (the settings file and the
// form-state file). Sections and keys compare without regard to letter case
// and keep the order they were first seen in; comment lines and lines that
// are not "key=value" are kept in place so that a rewrite loses nothing the
// user typed. QSettings is not used because it reorders, escapes and quotes.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

namespace zircon {

class IniFile {
public:
    IniFile() = default;

    // Reads the bytes of a file: Windows-1251 (UTF-8 when the bytes begin with
    // its byte-order mark), any line end. Never fails: what cannot be read as a
    // header or a key line is kept as an opaque line.
    static IniFile parse(const QByteArray& bytes);
    static IniFile parseText(const QString& text);

    // The whole file in Windows-1251 with CR LF line ends.
    QByteArray serialize() const;
    QString toText() const;

    bool isEmpty() const { return m_sections.empty() && m_preamble.isEmpty(); }
    bool hasSection(QStringView section) const;
    bool hasKey(QStringView section, QStringView key) const;
    QStringList sectionNames() const;
    QStringList keys(QStringView section) const;

    // The raw (trimmed) value of a key; the first of duplicated keys wins.
    std::optional<QString> value(QStringView section, QStringView key) const;

    QString readString(QStringView section, QStringView key, const QString& def = {}) const;
    // A value that is not a whole decimal number within int gives the default.
    int readInt(QStringView section, QStringView key, int def) const;
    // As above, then brought into min..max so that a hand-edited or damaged
    // file cannot push a size or a mode outside what its user accepts.
    int readInt(QStringView section, QStringView key, int def, int min, int max) const;
    // True for any non-zero integer; the default for anything that is not one.
    bool readBool(QStringView section, QStringView key, bool def) const;
    // Accepts "," or "." as the decimal point (files written under a Russian
    // locale use ","); non-finite or malformed values give the default.
    double readDouble(QStringView section, QStringView key, double def) const;

    // Changes the first occurrence of the key, or appends it to its section
    // (the section is appended when missing).
    void writeString(QStringView section, QStringView key, const QString& value);
    void writeInt(QStringView section, QStringView key, int value);
    void writeBool(QStringView section, QStringView key, bool value);
    // Always with "." and the shortest text that reads back to the same value.
    void writeDouble(QStringView section, QStringView key, double value);

    // Both remove every occurrence; they return whether anything was removed.
    bool eraseKey(QStringView section, QStringView key);
    bool eraseSection(QStringView section);

    static std::optional<int> parseInt(QStringView text);
    static std::optional<double> parseDouble(QStringView text);

private:
    struct Line {
        QString key;    // empty for an opaque line
        QString value;  // the value, or the whole text of an opaque line
        bool isEntry() const { return !key.isEmpty(); }
    };
    struct Section {
        QString name;
        std::vector<Line> lines;
    };

    const Section* findSection(QStringView name) const;
    Section* findSection(QStringView name);
    const Line* findEntry(QStringView section, QStringView key) const;

    QStringList m_preamble;  // lines before the first header, kept verbatim
    std::vector<Section> m_sections;
};

}  // namespace zircon
