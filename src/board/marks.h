// The values written into PairMarks and what they mean to the candidate pass
// and the candidate-code table.
#pragma once

namespace numplace {

// The three kinds of unit; as an index of PairMarks(r, c, kind) they are 1..3.
enum class UnitKind { Row = 1, Column = 2, Block = 3 };
constexpr int kindIndex(UnitKind kind) { return static_cast<int>(kind); }

// A member of the naked pair or triple that produced its unit's exclusions.
inline constexpr int kRowGroupMark = 999;
inline constexpr int kColumnGroupMark = 998;
inline constexpr int kBlockGroupMark = 997;
constexpr int groupMark(UnitKind kind) { return 1000 - kindIndex(kind); }

// The two cells of a block pair lying in one row or column. The step and
// answer runs write the group marks; reference 1 writes these, so that its
// table can tell the block pairs from the naked groups.
inline constexpr int kRowBlockPairMark = 779;
inline constexpr int kColumnBlockPairMark = 778;

// A cell ignores its row's (column's) exclusion list when its mark of that
// kind is above 770: both 999 and 779 (998 and 778) exempt it.
constexpr bool exemptFromLineList(int mark) { return mark > 770; }
// A cell ignores its block's list only as a member of a block group.
constexpr bool exemptFromBlockList(int mark) { return mark == kBlockGroupMark; }
// Reference 1 shows a cell red when it belongs to a naked pair or triple
// (marks 997 to 999), not when it is marked only by the block-pair stage.
constexpr bool isGroupMember(int mark) { return mark > 996; }

}  // namespace numplace
