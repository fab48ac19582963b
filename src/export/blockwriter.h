// Output built in a block of memory and handed to a device whenever the block
// is full, so that long exports need neither a file-sized buffer nor a write
// per line.
#pragma once

#include <QByteArray>
#include <QIODevice>

namespace zorva {

class BlockWriter {
public:
    static constexpr qsizetype kBlock = 1 << 20;

    explicit BlockWriter(QIODevice &out) : m_out(out) { m_buf.reserve(kBlock + kBlock / 4); }

    QByteArray &buffer() { return m_buf; }
    // Writes the block when it is full; raises ExportError when the device refuses.
    void flushIfFull()
    {
        if (m_buf.size() >= kBlock)
            flush();
    }
    void flush();

private:
    QIODevice &m_out;
    QByteArray m_buf;
};

}  // namespace zorva
