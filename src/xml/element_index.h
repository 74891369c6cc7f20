// The element index of an XML document: one record per element, saying where the element lies
// in the document text and how it is linked to its parent and siblings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct ElementRecord {
    static constexpr uint32_t kFirstChild = 1u << 31;
    static constexpr uint32_t kNonEnded = 1u << 30;
    // Only on record 0: the text is not well formed.
    static constexpr uint32_t kIllFormed = 1u << 29;
    static constexpr uint32_t kLevelMask = 0xFFFF;

    static constexpr uint32_t kMaxStartTagLength = (1u << 22) - 1;
    static constexpr uint32_t kMaxEndTagLength = (1u << 10) - 1;

    // Offset of the element's '<' in the text.
    int32_t start = 0;
    // From the '<' to the end of the end tag; the start tag alone for empty and non-ended
    // elements.
    int32_t length = 0;
    // The two tag lengths share one word, as a start tag may be long and an end tag never is.
    uint32_t startTagLength : 22 = 0;
    uint32_t endTagLength : 10 = 0;
    // Flag bits above, nesting level in the low 16 bits.
    uint32_t flagsAndLevel = 0;
    int32_t parent = 0;
    int32_t firstChild = 0;
    int32_t next = 0;
    // The first child's previous is the last child of the same parent.
    int32_t previous = 0;

    int32_t End() const { return start + length; }
    bool Has(uint32_t flag) const { return (flagsAndLevel & flag) != 0; }
    uint32_t Level() const { return flagsAndLevel & kLevelMask; }
    void SetLevel(uint32_t level);
};

static_assert(sizeof(ElementRecord) == 32, "an element record is eight 32-bit words");

// The records of one document. Record 0 stands for the document itself; record numbers are
// handed out in order and never reused while the index lives.
class ElementIndex {
public:
    // Empties the index and leaves record 0 cleared, with room for `expected` records.
    void Reset(size_t expected);

    int32_t Count() const { return static_cast<int32_t>(records_.size()); }
    ElementRecord& operator[](int32_t number) { return records_[static_cast<size_t>(number)]; }
    const ElementRecord& operator[](int32_t number) const {
        return records_[static_cast<size_t>(number)];
    }

    // Appends a fresh record, growing the index by half when it is full; returns its number.
    int32_t Add();

    // Links `child` as the last child of `parent`.
    void AppendChild(int32_t parent, int32_t child);
    // Links `element` into its parent's children right after `sibling`.
    void InsertAfter(int32_t sibling, int32_t element);
    // Moves the children of `element` to follow it as siblings under its own parent.
    void HoistChildren(int32_t element);

    // Sets every record's level from its parent's (records follow their parents in number
    // order, so one pass suffices).
    void ComputeLevels();

    // Keeps the index in step with a splice of the text: `removed` characters at `offset`
    // were replaced by `removed + delta` characters. Elements after the splice move, elements
    // around it (and the document) grow or shrink.
    void Shift(int32_t offset, int32_t removed, int32_t delta);

private:
    std::vector<ElementRecord> records_;
};
