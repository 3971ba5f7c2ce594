#include "RankBitset.h"

#include <algorithm>
#include <bit>

namespace {

constexpr uint64_t kAll = ~uint64_t(0);

// Position of the r-th set bit of a word (r below its population count).
int SelectInWord(uint64_t bits, int r)
{
    for (; r > 0; --r)
        bits &= bits - 1;
    return std::countr_zero(bits);
}

} // namespace

uint64_t RankBitset::Word(int w, bool value) const
{
    const uint64_t word = m_words[static_cast<size_t>(w)];
    if (value)
        return word;
    const int tail = m_size - (w << 6);
    return tail >= 64 ? ~word : ~word & ((uint64_t(1) << tail) - 1);
}

void RankBitset::RebuildTree()
{
    const int words = static_cast<int>(m_words.size());
    m_tree.assign(static_cast<size_t>(words) + 1, 0);
    m_set = 0;
    for (int j = 1; j <= words; ++j) {
        const int count = std::popcount(m_words[static_cast<size_t>(j - 1)]);
        m_set += count;
        m_tree[static_cast<size_t>(j)] += count;
        const int parent = j + (j & -j);
        if (parent <= words)
            m_tree[static_cast<size_t>(parent)] += m_tree[static_cast<size_t>(j)];
    }
}

void RankBitset::Set(int i, bool value)
{
    if (Test(i) == value)
        return;
    m_words[static_cast<size_t>(i >> 6)] ^= uint64_t(1) << (i & 63);
    const int delta = value ? 1 : -1;
    m_set += delta;
    const int words = static_cast<int>(m_words.size());
    for (int j = (i >> 6) + 1; j <= words; j += j & -j)
        m_tree[static_cast<size_t>(j)] += delta;
}

void RankBitset::Erase(int i)
{
    const size_t first = static_cast<size_t>(i >> 6);
    const int bit = i & 63;
    const uint64_t low = bit == 0 ? 0 : m_words[first] & (kAll >> (64 - bit));
    const uint64_t high = bit == 63 ? 0 : (m_words[first] >> 1) & (kAll << bit);
    m_words[first] = low | high;
    for (size_t w = first; w < m_words.size(); ++w) {
        if (w > first)
            m_words[w] >>= 1;
        if (w + 1 < m_words.size())
            m_words[w] |= m_words[w + 1] << 63;
    }
    --m_size;
    m_words.resize(static_cast<size_t>(WordCount(m_size)));
    RebuildTree();
}

int RankBitset::Rank(int i) const
{
    if (i <= 0)
        return 0;
    if (i >= m_size)
        return m_set;
    const int w = i >> 6;
    int sum = 0;
    for (int j = w; j > 0; j -= j & -j)
        sum += m_tree[static_cast<size_t>(j)];
    const int bit = i & 63;
    if (bit != 0)
        sum += std::popcount(m_words[static_cast<size_t>(w)] & (kAll >> (64 - bit)));
    return sum;
}

int RankBitset::Select(int k, bool value) const
{
    const int total = value ? m_set : m_size - m_set;
    if (k < 0 || k >= total)
        return -1;
    const int words = static_cast<int>(m_words.size());
    int pos = 0;
    int rest = k;
    for (int step = std::bit_floor(static_cast<unsigned>(words)); step > 0; step >>= 1) {
        const int next = pos + step;
        if (next > words)
            continue;
        // Node `next` covers the `step` words after pos.
        const int setBits = m_tree[static_cast<size_t>(next)];
        const int count = value ? setBits : step * 64 - setBits;
        if (rest >= count) {
            pos = next;
            rest -= count;
        }
    }
    return (pos << 6) + SelectInWord(Word(pos, value), rest);
}

int RankBitset::Next(int i, bool value) const
{
    if (i < 0)
        i = 0;
    if (i >= m_size)
        return -1;
    const int w = i >> 6;
    const uint64_t bits = Word(w, value) & (kAll << (i & 63));
    if (bits != 0)
        return (w << 6) + std::countr_zero(bits);
    // Nothing more in this word: the wanted bit is the first one after all
    // the bits of this kind up to the word's end.
    const int end = (w + 1) << 6;
    const int setBefore = Rank(end);
    return Select(value ? setBefore : std::min(end, m_size) - setBefore, value);
}

int RankBitset::Prev(int i, bool value) const
{
    if (i >= m_size)
        i = m_size - 1;
    if (i < 0)
        return -1;
    const int w = i >> 6;
    const int bit = i & 63;
    const uint64_t mask = bit == 63 ? kAll : (uint64_t(1) << (bit + 1)) - 1;
    const uint64_t bits = Word(w, value) & mask;
    if (bits != 0)
        return (w << 6) + 63 - std::countl_zero(bits);
    const int start = w << 6;
    const int setBefore = Rank(start);
    const int before = value ? setBefore : start - setBefore;
    return before == 0 ? -1 : Select(before - 1, value);
}

void RankBitset::Collect(std::vector<int>& out, bool value) const
{
    out.clear();
    out.reserve(static_cast<size_t>(value ? m_set : m_size - m_set));
    const int words = static_cast<int>(m_words.size());
    for (int w = 0; w < words; ++w) {
        for (uint64_t bits = Word(w, value); bits != 0; bits &= bits - 1)
            out.push_back((w << 6) + std::countr_zero(bits));
    }
}
