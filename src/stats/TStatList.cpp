#include "stats/TStatList.h"

#include <QFileInfo>
#include <QStringList>

#include <cmath>

#include "core/Counting.h"
#include "core/Error.h"
#include "core/Format.h"
#include "core/IniFile.h"
#include "core/SegmentMap.h"
#include "core/Tr.h"
#include "stats/TCustomStat.h"

namespace zircon {
namespace {

const TDrawsArray kNoDraws;

TCurrency toCurrency(double value)
{
    return static_cast<TCurrency>(std::llround(value * kCurrencyScale));
}

double fromCurrency(TCurrency value)
{
    return static_cast<double>(value) / kCurrencyScale;
}

}  // namespace

TStatList::TStatList(const TDrawsArray* draws) : m_draws(draws), m_table(defaultRegistrationTable()) {}

const TDrawsArray& TStatList::Draws() const
{
    return m_draws ? *m_draws : kNoDraws;
}

QString TStatList::DisplayTitle(int i) const
{
    const TStatMethod& m = Items(i);
    return m.Alias.isEmpty() ? m.StatClass->title(m.Param) : m.Alias;
}

QString TStatList::DisplayName(int i, bool withFlags) const
{
    const TStatMethod& m = Items(i);
    QString t = DisplayTitle(i);
    if (m.StatClass->group == kShreddingGroup) {
        // The title (or the user's alias) carries a "%s" for the formula; only
        // that placeholder is filled, so other "%" signs in an alias stay text.
        t.replace(QStringLiteral("%s"), m.Formula);
    }
    if (ShowGroupName)
        t = fmt(QStringLiteral("{ %1:s } %0:s"), t, statGroupCode(m.StatClass->group));
    if (withFlags && ShowMethodFlags) {
        const QString f = statFlagLetters(ItemFlags(i));
        if (!f.isEmpty())
            t = fmt(QStringLiteral("%0:s [ %1:s ]"), t, f);
    }
    return t;
}

QString TStatList::ItemCode(int i) const
{
    return Items(i).StatClass->code(Items(i).Param);
}

QString TStatList::ItemHelpTopic(int i) const
{
    const QString help = helpFile ? helpFile() : QString();
    if (help.isEmpty() || !QFileInfo::exists(help))
        return {};
    const TStatMethod& m = Items(i);
    return QStringLiteral("ms-its:") + help
           + fmt(QStringLiteral("::/Filters_%.4d_%s.htm"), 1049, m.StatClass->helpCode(m.Param));
}

std::unique_ptr<TCustomStat> TStatList::CreateStat(int i) const
{
    const TStatMethod& m = Items(i);
    return m.StatClass->create(*m.StatClass, *this, m.Param);
}

int TStatList::FindCode(const QString& code) const
{
    const QString wanted = code.trimmed();
    for (int i = 0; i < Count(); ++i)
        if (ItemCode(i).compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void TStatList::RegisterAll()
{
    Ordered = false;
    ShowGroupName = true;
    ShowMethodFlags = true;
    AllShown = true;
    m_methods.clear();
    for (const StatClassInfo* cls : m_table) {
        if (!cls->available)
            continue;
        auto add = [&](int32_t param) {
            TStatMethod m;
            m.StatClass = cls;
            m.Param = param;
            if (cls->group == kShreddingGroup)
                m.Formula = param == 1 ? Formula1 : param == 2 ? Formula2 : param == 3 ? Formula3 : QString();
            m_methods.push_back(std::move(m));
        };
        if (cls->hasParam()) {
            const auto [low, high] = cls->paramRange(Config);
            for (int p = low; p <= high; ++p)
                add(p);
        } else {
            add(0);
        }
    }
}

void TStatList::ShowAll()
{
    AllShown = true;
    for (TStatMethod& m : m_methods)
        m.Shown = true;
}

void TStatList::NormalizeShown()
{
    bool allSame = true;
    for (const TStatMethod& m : m_methods)
        allSame = allSame && m.Shown == m_methods.front().Shown;
    if (allSame)
        ShowAll();
    else
        AllShown = false;
}

QString TStatList::GetFavorites() const
{
    if (AllShown)
        return {};
    QStringList codes;
    for (int i = 0; i < Count(); ++i)
        if (Items(i).Shown)
            codes.append(ItemCode(i));
    return codes.join(u',');
}

void TStatList::SetFavorites(const QString& favorites)
{
    if (favorites.trimmed().isEmpty()) {
        ShowAll();
        return;
    }
    QStringList words;
    for (const QString& w : favorites.split(u','))
        words.append(w.trimmed());
    AllShown = false;
    for (int i = 0; i < Count(); ++i)
        Items(i).Shown = words.contains(ItemCode(i), Qt::CaseInsensitive);
}

void TStatList::LoadConfig(const IniFile& ini)
{
    const QString global = QStringLiteral("GLOBAL");
    const QString stakes = QStringLiteral("STAKES");
    const QString cdl = QStringLiteral("CDL");
    // Values outside their ranges would divide by zero or index past the
    // matrix; they are brought back into range.
    Config.MatrixCols = ini.readInt(global, QStringLiteral("MatrixCols"), 7, 1, kMainMax);
    Config.ChannelSize = ini.readInt(global, QStringLiteral("ChannelSize"), 10, 1, kMainMax);
    Config.Segments = ParseSegmentMap(ini.readString(global, QStringLiteral("MatrixSegments")));
    Config.Cost = toCurrency(ini.readDouble(stakes, QStringLiteral("Cost"), 0));
    Config.MaxStake = ini.readInt(stakes, QStringLiteral("MaxStake"), 5, 5, kMaxShemaNumbers);
    const int profits = ini.readInt(stakes, QStringLiteral("Profits"), 0, 0, 256);
    Config.Profits.clear();
    for (int i = 0; i < profits; ++i) {
        TProfitItem p;
        p.Overlap = static_cast<uint8_t>(
            ini.readInt(stakes, fmt(QStringLiteral("Profit_%d_Overlap"), i), 0, 0, kMaxShemaNumbers));
        p.Profit = toCurrency(ini.readDouble(stakes, fmt(QStringLiteral("Profit_%d_Profit"), i), 0));
        Config.Profits.push_back(p);
    }
    Config.Weights.CountCoef = ini.readDouble(cdl, QStringLiteral("Count"), 0);
    Config.Weights.DeviationCoef = ini.readDouble(cdl, QStringLiteral("Deviation"), -1);
    Config.Weights.DepthCoef = ini.readDouble(cdl, QStringLiteral("Level"), 1);
    Config.Weights.UsePercents = ini.readInt(cdl, QStringLiteral("UsePercents"), 0) > 0;
    Config.Weights.UseAbsValues = ini.readInt(cdl, QStringLiteral("UseAbsValues"), 0) > 0;
}

void TStatList::SaveConfig(IniFile& ini) const
{
    const QString global = QStringLiteral("GLOBAL");
    const QString stakes = QStringLiteral("STAKES");
    const QString cdl = QStringLiteral("CDL");
    ini.writeInt(global, QStringLiteral("MatrixCols"), Config.MatrixCols);
    ini.writeString(global, QStringLiteral("MatrixSegments"), SegmentMapText(Config.Segments));
    ini.writeInt(global, QStringLiteral("ChannelSize"), Config.ChannelSize);
    ini.writeDouble(stakes, QStringLiteral("Cost"), fromCurrency(Config.Cost));
    ini.writeInt(stakes, QStringLiteral("MaxStake"), Config.MaxStake);
    ini.writeInt(stakes, QStringLiteral("Profits"), static_cast<int>(Config.Profits.size()));
    for (size_t i = 0; i < Config.Profits.size(); ++i) {
        ini.writeInt(stakes, fmt(QStringLiteral("Profit_%d_Overlap"), static_cast<int>(i)), Config.Profits[i].Overlap);
        ini.writeDouble(stakes, fmt(QStringLiteral("Profit_%d_Profit"), static_cast<int>(i)),
                        fromCurrency(Config.Profits[i].Profit));
    }
    ini.writeDouble(cdl, QStringLiteral("Count"), Config.Weights.CountCoef);
    ini.writeDouble(cdl, QStringLiteral("Deviation"), Config.Weights.DeviationCoef);
    ini.writeDouble(cdl, QStringLiteral("Level"), Config.Weights.DepthCoef);
    ini.writeInt(cdl, QStringLiteral("UsePercents"), Config.Weights.UsePercents ? 1 : 0);
    ini.writeInt(cdl, QStringLiteral("UseAbsValues"), Config.Weights.UseAbsValues ? 1 : 0);
}

void TStatList::LoadGenerateSettings(const IniFile& ini)
{
    const QString global = QStringLiteral("GLOBAL");
    GenerateMode = static_cast<uint8_t>(ini.readInt(global, QStringLiteral("CombsGenerateMode"), 0, 0, 255));
    GenerateParams = ini.readString(global, QStringLiteral("CombsGenerateParameters")).left(255);
}

void TStatList::SaveGenerateSettings(IniFile& ini) const
{
    const QString global = QStringLiteral("GLOBAL");
    ini.writeInt(global, QStringLiteral("CombsGenerateMode"), GenerateMode);
    ini.writeString(global, QStringLiteral("CombsGenerateParameters"), GenerateParams.left(255));
}

void TStatList::LoadShredding(const IniFile& ini)
{
    const QString s = QStringLiteral("SHREDDING");
    Formula1 = ini.readString(s, QStringLiteral("Formula1"), QStringLiteral("(n1+n2+n3)/(n4+n5)"));
    Formula2 = ini.readString(s, QStringLiteral("Formula2"), QStringLiteral("(n4+n5)/(n1+n2+n3)"));
    Formula3 = ini.readString(s, QStringLiteral("Formula3"), QStringLiteral("(n1+n2)/(n3+n4+n5)"));
    // Digits beyond 5 would make values too wide to keep apart.
    Formula1Digits = static_cast<uint8_t>(ini.readInt(s, QStringLiteral("Formula1Digits"), 2, 1, 5));
    Formula2Digits = static_cast<uint8_t>(ini.readInt(s, QStringLiteral("Formula2Digits"), 2, 1, 5));
    Formula3Digits = static_cast<uint8_t>(ini.readInt(s, QStringLiteral("Formula3Digits"), 2, 1, 5));
}

void TStatList::SaveShredding(IniFile& ini) const
{
    const QString s = QStringLiteral("SHREDDING");
    ini.writeString(s, QStringLiteral("Formula1"), Formula1);
    ini.writeString(s, QStringLiteral("Formula2"), Formula2);
    ini.writeString(s, QStringLiteral("Formula3"), Formula3);
    ini.writeInt(s, QStringLiteral("Formula1Digits"), Formula1Digits);
    ini.writeInt(s, QStringLiteral("Formula2Digits"), Formula2Digits);
    ini.writeInt(s, QStringLiteral("Formula3Digits"), Formula3Digits);
}

TCurrency TStatList::StakeResult(int systemSize, int matched) const
{
    const int64_t combos = systemSize > kMainCount ? Binomial(static_cast<uint8_t>(systemSize), kMainCount) : 1;
    TCurrency r = -Config.Cost * combos;
    if (matched >= 0) {
        for (const TProfitItem& p : Config.Profits) {
            if (p.Overlap == matched) {
                r += p.Profit;
                break;
            }
        }
    }
    return r;
}

void TStatList::LoadFilterList(const IniFile& ini, bool withOptions, const QString& language)
{
    const QString filters = QStringLiteral("FILTERS");
    if (withOptions) {
        SetFavorites(ini.readString(filters, QStringLiteral("Favorites"), GetFavorites()));
        Ordered = ini.readBool(filters, QStringLiteral("Ordered"), Ordered);
        ShowGroupName = ini.readBool(filters, QStringLiteral("ShowGroupName"), ShowGroupName);
        ShowMethodFlags = ini.readBool(filters, QStringLiteral("ShowMethodFlags"), ShowMethodFlags);
    }
    const QString strings = QStringLiteral("STRINGS_") + language;
    for (int i = 0; i < Count(); ++i)
        Items(i).Alias = ini.readString(strings, ItemCode(i)).trimmed();
}

void TStatList::SaveFilterList(IniFile& ini, bool withOptions, bool allNames, const QString& language) const
{
    const QString filters = QStringLiteral("FILTERS");
    if (withOptions) {
        ini.writeString(filters, QStringLiteral("Favorites"), GetFavorites());
        ini.writeBool(filters, QStringLiteral("Ordered"), Ordered);
        ini.writeBool(filters, QStringLiteral("ShowGroupName"), ShowGroupName);
        ini.writeBool(filters, QStringLiteral("ShowMethodFlags"), ShowMethodFlags);
    }
    const QString strings = QStringLiteral("STRINGS_") + language;
    ini.eraseSection(strings);
    for (int i = 0; i < Count(); ++i) {
        if (allNames)
            ini.writeString(strings, ItemCode(i), DisplayTitle(i));
        else if (!Items(i).Alias.isEmpty())
            ini.writeString(strings, ItemCode(i), Items(i).Alias);
    }
}

}  // namespace zircon
