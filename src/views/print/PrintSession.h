// CPrintSession: the state of one print job that the view print hooks read and advance.
#pragma once

#include <cstdint>
#include <vector>

class CPrintSession
{
  public:
    static constexpr int StyleDetails = 32;
    static constexpr int StyleMemo = 64;
    static constexpr std::uint8_t FlagOneEntryPerPage = 0x02;
    static constexpr int HeadOffset = -1; // resume an entry from its head

    int styleId = StyleDetails;
    // Where the next page starts: the entry index and the character offset into its notes.
    // The offset is kept whole so that notes of any length resume where they stopped.
    int resumeIndex = 0;
    int resumeOffset = HeadOffset;
    int timeColumnWidth = 0; // page units
    std::uint8_t flags = 0;
    int pageNumber = 0;
    std::vector<std::uint32_t> pageTable; // packed resume positions, one per page
    bool selectedOnly = false;

    // The resume position in its stored form: the entry index in the low 16 bits, the notes
    // offset in the high 16 bits (0xFFFF for the head). Offsets that do not fit are kept at
    // 0xFFFE: the stored form only has to tell "inside the notes" from "at the head", and a
    // cut offset must never read as the head.
    std::uint32_t PackedResume() const { return Pack(resumeIndex, resumeOffset); }
    static std::uint32_t Pack(int index, int offset)
    {
        const std::uint32_t packedOffset =
            offset < 0 ? 0xFFFFu : std::uint32_t(offset >= 0xFFFF ? 0xFFFE : offset);
        return (packedOffset << 16) | (std::uint32_t(index) & 0xFFFFu);
    }
    static int PackedIndex(std::uint32_t packed) { return int(packed & 0xFFFFu); }
    static bool PackedAtHead(std::uint32_t packed) { return (packed >> 16) == 0xFFFFu; }
    // Stores the current resume position as the end of the current page.
    void RecordPageEnd()
    {
        if (pageNumber < 0)
            return;
        if (pageTable.size() <= std::size_t(pageNumber))
            pageTable.resize(std::size_t(pageNumber) + 1, 0);
        pageTable[std::size_t(pageNumber)] = PackedResume();
    }
};
