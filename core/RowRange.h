#pragma once
// A constant table's rows as a range for a range-for: the schemas hand out their tables so.

template <typename Row>
struct RowRange {
    const Row* first;
    const Row* last;
    const Row* begin() const { return first; }
    const Row* end() const { return last; }
};
