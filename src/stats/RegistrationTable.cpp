// The fixed registration order of the statistic classes. A family that is not
// built yet is simply absent; the order of those present never changes, and
// each family's classes go exactly where the comments below hold their place.
#include "stats/TStatList.h"
#include "stats/families/Numbers.h"

namespace zircon {

std::vector<const StatClassInfo*> defaultRegistrationTable()
{
    return {
        // Numbers: NUMS, DIGS, EVEN, EVNV, SMAL, SMLV, PRIM, PRMV.
        &TstValues::Class,
        &TstDigits::Class,
        &TstEvenCount::Class,
        &TstEvenValues::Class,
        &TstSmallCount::Class,
        &TstSmallValues::Class,
        &TstPrimeCount::Class,
        &TstPrimeValues::Class,
        // Sums: SUMS, SUM%d, SUMC, SUMV, SUMT, SUME, SUMP, S2T3.
        // Differences: DIFA, DIFM, DIFD, DIFO, DIFK.
        // Channels: CHAN, CHNV, CHNC.
        // Matrix: COLS, ROWS, COLV, ROWV, COLN, ROWN, COLM, ROWM, COLA, ROWA, COLC, ROWC.
        // Segments: SGMS, SGMV, SGMC.
        // Sequences: SEQL, SEQS, LENS.
        // Repeats: RPV2 .. PRC-2.
        // Combination values: KNM2 .. KGS4 (KNO2..KNO4 listed but never available).
        // Numbers at a position and the extra number: POS%d, POE%d.
        &TstPosVal::Class,
        &TstPosExt::Class,
        // Per channel, column, row and segment: CHN%d, COL%d, ROW%d, SGM%d.
        // Series: GRPV, GRPP, GRCV, GRCP, GRSV, GRSP.
        // Periods: PRDV, PRDC, PRDG.
        // Chains (transitions): SDV2 .. SS3C%d.
        // Ognev numbers: HCO1, HCO2, HCO3.
        // Shredding: SHR%d.
    };
}

}  // namespace zircon
