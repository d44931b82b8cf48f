#pragma once
// The registry of statistic methods: one TStatMethod per registered method in
// registration order, the engine settings, the favourites and the user's own
// captions. One instance lives for the whole run.
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "core/Types.h"
#include "stats/ConfigData.h"
#include "stats/StatClassInfo.h"

namespace zircon {

class IniFile;
class IniStore;
class TCustomStat;

struct TStatMethod {
    const StatClassInfo* StatClass = nullptr;
    int32_t Param = 0;
    bool Shown = true;
    QString Alias;    // the user's own caption; "" for none
    QString Formula;  // the shredding formula (group 12 only)
};

class TStatList {
public:
    explicit TStatList(const TDrawsArray* draws = nullptr);

    const TDrawsArray& Draws() const;
    void setDraws(const TDrawsArray* draws) { m_draws = draws; }

    // The registration table the registry is built from, in its fixed order.
    // Tests may register their own classes.
    void setRegistrationTable(std::vector<const StatClassInfo*> table) { m_table = std::move(table); }
    const std::vector<const StatClassInfo*>& registrationTable() const { return m_table; }

    int Count() const { return static_cast<int>(m_methods.size()); }
    const TStatMethod& Items(int i) const { return m_methods[static_cast<size_t>(i)]; }
    TStatMethod& Items(int i) { return m_methods[static_cast<size_t>(i)]; }

    bool IsAvailable(int i) const { return Items(i).StatClass->available; }
    bool IsListed(int i) const { return Items(i).StatClass->listed; }
    bool HasGraph(int i) const { return Items(i).StatClass->hasGraph; }
    // The class flag, narrowed per item where the class asks (StatClassInfo::itemHasNorm).
    bool HasNorm(int i) const
    {
        const StatClassInfo* cls = Items(i).StatClass;
        return cls->hasNorm() && (!cls->itemHasNorm || cls->itemHasNorm(*this, i));
    }
    bool IsShown(int i) const { return AllShown || Items(i).Shown; }
    // FullFlags of the item's class, without "N" where the item has no norm
    // (a shredding formula that reads earlier draws).
    uint8_t ItemFlags(int i) const
    {
        const uint8_t f = Items(i).StatClass->fullFlags();
        return HasNorm(i) ? f : static_cast<uint8_t>(f & ~kFlagNorm);
    }

    QString DisplayName(int i, bool withFlags) const;
    QString DisplayTitle(int i) const;
    QString ItemCode(int i) const;
    QString ItemHelpTopic(int i) const;
    std::unique_ptr<TCustomStat> CreateStat(int i) const;
    // Position of the method with exactly this code (case ignored), or -1.
    int FindCode(const QString& code) const;

    void RegisterAll();
    void ShowAll();
    void NormalizeShown();
    QString GetFavorites() const;
    void SetFavorites(const QString& favorites);

    void LoadConfig(const IniFile& ini);
    void SaveConfig(IniFile& ini) const;
    void LoadGenerateSettings(const IniFile& ini);
    void SaveGenerateSettings(IniFile& ini) const;
    void LoadShredding(const IniFile& ini);
    void SaveShredding(IniFile& ini) const;

    void SaveWeights() { SavedWeights = Config.Weights; }
    void RestoreWeights() { Config.Weights = SavedWeights; }
    void ApplyWeights(bool override, const TWeightCoefs& coefs) { Config.Weights = override ? coefs : SavedWeights; }

    // The money result of one stake: minus the price of its C(n, 5) plain
    // combinations, plus the prize for `matched` numbers when there is one.
    TCurrency StakeResult(int systemSize, int matched) const;

    // The method-list file (".flt"): favourites, list options and captions.
    // `language` names the captions' section "STRINGS_<language>". Errors are
    // thrown as Error; the callers show them.
    void LoadFilterList(const IniFile& ini, bool withOptions, const QString& language);
    void SaveFilterList(IniFile& ini, bool withOptions, bool allNames, const QString& language) const;

    // The help file for HelpTopic, or "" when there is none.
    std::function<QString()> helpFile;

    bool Ordered = false;
    bool ShowGroupName = true;
    bool ShowMethodFlags = true;
    bool AllShown = true;
    TConfigData Config;
    TWeightCoefs SavedWeights;
    uint8_t GenerateMode = 0;
    QString GenerateParams;
    QString Formula1 = QStringLiteral("(n1+n2+n3)/(n4+n5)");
    QString Formula2 = QStringLiteral("(n4+n5)/(n1+n2+n3)");
    QString Formula3 = QStringLiteral("(n1+n2)/(n3+n4+n5)");
    uint8_t Formula1Digits = 2;
    uint8_t Formula2Digits = 2;
    uint8_t Formula3Digits = 2;

private:
    const TDrawsArray* m_draws;
    std::vector<const StatClassInfo*> m_table;
    std::vector<TStatMethod> m_methods;
};

// The classes of every family built, in the fixed registration order.
std::vector<const StatClassInfo*> defaultRegistrationTable();

}  // namespace zircon
