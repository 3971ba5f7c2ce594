#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A row of bits that answers rank and select in logarithmic time: how many
// bits are set before an index, where the k-th set (or clear) bit is, the
// next and previous set (or clear) bit. Flipping one bit costs O(log n), so a
// navigator over a million points follows a one-point status change without
// rebuilding anything. Counts of set bits per 64-bit word are kept in a
// Fenwick tree.
class RankBitset
{
public:
    // size bits, bit i set when isSet(i).
    template <class IsSet>
    void Assign(int size, IsSet&& isSet)
    {
        m_size = size;
        m_words.assign(static_cast<std::size_t>(WordCount(size)), 0);
        for (int i = 0; i < size; ++i) {
            if (isSet(i))
                m_words[static_cast<std::size_t>(i >> 6)] |= uint64_t(1) << (i & 63);
        }
        RebuildTree();
    }

    int Size() const { return m_size; }
    int CountSet() const { return m_set; }
    int CountClear() const { return m_size - m_set; }
    bool Test(int i) const { return (m_words[static_cast<std::size_t>(i >> 6)] >> (i & 63)) & 1; }

    void Set(int i, bool value);
    // Removes bit i; the bits after it move down by one.
    void Erase(int i);

    // Set bits in [0, i).
    int Rank(int i) const;
    // Index of the k-th set (clear) bit, counting from 0; -1 when there is none.
    int SelectSet(int k) const { return Select(k, true); }
    int SelectClear(int k) const { return Select(k, false); }
    // First set (clear) bit at or after i; -1 when there is none.
    int NextSet(int i) const { return Next(i, true); }
    int NextClear(int i) const { return Next(i, false); }
    // Last set (clear) bit at or before i; -1 when there is none.
    int PrevSet(int i) const { return Prev(i, true); }
    int PrevClear(int i) const { return Prev(i, false); }

    // The indices of all set (clear) bits in ascending order.
    void CollectSet(std::vector<int>& out) const { Collect(out, true); }
    void CollectClear(std::vector<int>& out) const { Collect(out, false); }

private:
    static int WordCount(int bits) { return (bits + 63) >> 6; }
    // The word as seen when looking for set bits (value) or clear bits, with
    // the bits beyond the end always reading 0.
    uint64_t Word(int w, bool value) const;
    void RebuildTree();
    int Select(int k, bool value) const;
    int Next(int i, bool value) const;
    int Prev(int i, bool value) const;
    void Collect(std::vector<int>& out, bool value) const;

    std::vector<uint64_t> m_words;
    // Fenwick tree over the set-bit counts of the words, 1-based.
    std::vector<int> m_tree;
    int m_size = 0;
    int m_set = 0;
};
