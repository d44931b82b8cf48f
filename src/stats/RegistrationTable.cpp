// The fixed registration order of the statistic classes. A family that is not
// built yet is simply absent; the order of those present never changes, and
// each family's classes go exactly where the comments below hold their place.
#include "stats/TStatList.h"
#include "stats/families/Channels.h"
#include "stats/families/CombValues.h"
#include "stats/families/Differences.h"
#include "stats/families/Matrix.h"
#include "stats/families/Numbers.h"
#include "stats/families/Repeats.h"
#include "stats/families/Segments.h"
#include "stats/families/Sequences.h"
#include "stats/families/Shredding.h"
#include "stats/families/Sums.h"

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
        &TstSumValues::Class,
        &TstSumRanges::Class,
        &TstSumChange::Class,
        &TstSumChangeSome::Class,
        &TstSumTrend::Class,
        &TstSumEvenValues::Class,
        &TstSumPrimeValues::Class,
        &TstSum2To3::Class,
        // Differences: DIFA, DIFM, DIFD, DIFO, DIFK.
        &TstDiffTotal::Class,
        &TstDiffMax::Class,
        &TstMinMaxDiffs::Class,
        &TstDiffSame::Class,
        &TstDiffSameCnt::Class,
        // Channels: CHAN, CHNV, CHNC.
        &TstChannels::Class,
        &TstChanValues::Class,
        &TstChanCount::Class,
        // Matrix: COLS, ROWS, COLV, ROWV, COLN, ROWN, COLM, ROWM, COLA, ROWA, COLC, ROWC.
        &TstColumns::Class,
        &TstRows::Class,
        &TstColValues::Class,
        &TstRowValues::Class,
        &TstColCount::Class,
        &TstRowCount::Class,
        &TstColMask::Class,
        &TstRowMask::Class,
        &TstColAjacent::Class,
        &TstRowAjacent::Class,
        &TstColAjacentCnt::Class,
        &TstRowAjacentCnt::Class,
        // Segments: SGMS, SGMV, SGMC.
        &TstSegments::Class,
        &TstSegmValues::Class,
        &TstSegmCount::Class,
        // Sequences: SEQL, SEQS, LENS.
        &TstSequenceLen::Class,
        &TstSequenceCnt::Class,
        &TstSequenceLenMax::Class,
        // Repeats: RPV2 .. PRC-2.
        &TstRepValues2::Class,
        &TstRepValues3::Class,
        &TstRepValues2B3::Class,
        &TstRepValues2over1::Class,
        &TstRepValues2over2::Class,
        &TstRepValues2over3::Class,
        &TstRepValues2P1::Class,
        &TstRepValues2N1::Class,
        &TstRepValues2P2::Class,
        &TstRepValues2N2::Class,
        &TstRepCount2::Class,
        &TstRepCount3::Class,
        &TstRepCount2B3::Class,
        &TstRepCount2over1::Class,
        &TstRepCount2over2::Class,
        &TstRepCount2over3::Class,
        &TstRepCount2P1::Class,
        &TstRepCount2N1::Class,
        &TstRepCount2P2::Class,
        &TstRepCount2N2::Class,
        // Combination values: KNM2 .. KGS4 (KNO2..KNO4 listed but never available).
        &TstCombValMix2::Class,
        &TstCombValMix3::Class,
        &TstCombValMix4::Class,
        &TstCombValSeq2::Class,
        &TstCombValSeq3::Class,
        &TstCombValSeq4::Class,
        &TstCombValPos2::Class,
        &TstCombValPos3::Class,
        &TstCombValPos4::Class,
        &TstCombValSort2::Class,
        &TstCombValSort3::Class,
        &TstCombValSort4::Class,
        // Differences of neighbouring positions: KDS2, KDS3, KDS4.
        &TstCombDiffSeq2::Class,
        &TstCombDiffSeq3::Class,
        &TstCombDiffSeq4::Class,
        // Tuples of channels, columns, rows, segments:
        &TstCombChnMix2::Class,
        &TstCombChnMix3::Class,
        &TstCombChnMix4::Class,
        &TstCombChnSeq2::Class,
        &TstCombChnSeq3::Class,
        &TstCombChnSeq4::Class,
        &TstCombColMix2::Class,
        &TstCombColMix3::Class,
        &TstCombColMix4::Class,
        &TstCombColSeq2::Class,
        &TstCombColSeq3::Class,
        &TstCombColSeq4::Class,
        &TstCombRowMix2::Class,
        &TstCombRowMix3::Class,
        &TstCombRowMix4::Class,
        &TstCombRowSeq2::Class,
        &TstCombRowSeq3::Class,
        &TstCombRowSeq4::Class,
        &TstCombSegmMix2::Class,
        &TstCombSegmMix3::Class,
        &TstCombSegmMix4::Class,
        &TstCombSegmSeq2::Class,
        &TstCombSegmSeq3::Class,
        &TstCombSegmSeq4::Class,
        // Numbers at a position and the extra number: POS%d, POE%d.
        &TstPosVal::Class,
        &TstPosExt::Class,
        // Per channel, column, row and segment: CHN%d, COL%d, ROW%d, SGM%d.
        &TstChnValCnt::Class,
        &TstColValCnt::Class,
        &TstRowValCnt::Class,
        &TstSgmValCnt::Class,
        // Series: GRPV, GRPP, GRCV, GRCP, GRSV, GRSP.
        // Periods: PRDV, PRDC, PRDG.
        // Chains (transitions): SDV2 .. SS3C%d.
        // Ognev numbers: HCO1, HCO2, HCO3.
        // Shredding: SHR%d.
        &TstShreddingStat::Class,
    };
}

}  // namespace zircon
