#include "pdfdeflate.h"

#include <zlib.h>

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace zorva::report {

namespace {

std::atomic<int> g_fastWriters{0};

// Every page stream is deflated on its own: zlib asks for a few buffers of some
// 64 KiB each per page and returns them at its end, and the C library hands that
// memory back to the system and faults it in again page by page.  While a writer
// lives the buffers are kept for the next stream instead.
class BlockPool {
public:
    void *take(size_t size)
    {
        {
            const std::lock_guard lock(m_mutex);
            for (auto it = m_free.begin(); it != m_free.end(); ++it) {
                if (it->first == size) {
                    void *p = it->second;
                    m_free.erase(it);
                    return p;
                }
            }
        }
        void *p = std::malloc(size);
        const std::lock_guard lock(m_mutex);
        if (p)
            m_sizes.emplace_back(p, size);
        return p;
    }

    void give(void *p)
    {
        std::unique_lock lock(m_mutex);
        size_t size = 0;
        for (auto it = m_sizes.begin(); it != m_sizes.end(); ++it) {
            if (it->first == p) {
                size = it->second;
                break;
            }
        }
        if (g_fastWriters > 0 && m_free.size() < kMaxFree) {
            m_free.emplace_back(size, p);
            return;
        }
        forget(p);
        lock.unlock();
        std::free(p);
    }

    void release()
    {
        std::vector<std::pair<size_t, void *>> free;
        {
            const std::lock_guard lock(m_mutex);
            free.swap(m_free);
            for (const auto &[size, p] : free)
                forget(p);
        }
        for (const auto &[size, p] : free)
            std::free(p);
    }

private:
    void forget(void *p)
    {
        for (auto it = m_sizes.begin(); it != m_sizes.end(); ++it) {
            if (it->first == p) {
                m_sizes.erase(it);
                return;
            }
        }
    }

    static constexpr size_t kMaxFree = 16;
    std::mutex m_mutex;
    std::vector<std::pair<size_t, void *>> m_free;   // size, block
    std::vector<std::pair<void *, size_t>> m_sizes;  // every block handed out and not yet freed
};

BlockPool &pool()
{
    static BlockPool *p = new BlockPool;  // also serves streams ended during exit
    return *p;
}

voidpf poolAlloc(voidpf, uInt items, uInt size)
{
    return pool().take(size_t(items) * size);
}

void poolFree(voidpf, voidpf address)
{
    pool().give(address);
}

}  // namespace

// Qt's engine also reads every page stream in a buffer of some 10 MB and packs it
// into another one.  Blocks that large come straight from the system and go back
// to it at the page's end, so each page faults its buffers in anew.  While a
// writer lives the C library keeps such blocks on its heap; afterwards its
// default limits are set again and the spare memory handed back.
constexpr int kKeptBlock = 32 * 1024 * 1024;  // the most the C library accepts
constexpr int kDefaultMallocLimit = 128 * 1024;

FastPdfDeflate::FastPdfDeflate()
{
    if (g_fastWriters++ == 0) {
        mallopt(M_MMAP_THRESHOLD, kKeptBlock);
        mallopt(M_TRIM_THRESHOLD, 2 * kKeptBlock);
    }
}

FastPdfDeflate::~FastPdfDeflate()
{
    if (--g_fastWriters == 0) {
        pool().release();
        mallopt(M_MMAP_THRESHOLD, kDefaultMallocLimit);
        mallopt(M_TRIM_THRESHOLD, kDefaultMallocLimit);
        malloc_trim(0);
    }
}

int pdfDeflateLevel()
{
    return g_fastWriters > 0 ? Z_BEST_SPEED : Z_DEFAULT_COMPRESSION;
}

}  // namespace zorva::report

// Qt's PDF engine starts every stream with deflateInit at the default level and
// offers no setting for it; zlib's packing of the page contents is then the
// largest part of writing a long report.  This definition in the program takes
// the place of zlib's own for every library of the process: it is zlib's
// deflateInit_ to the letter (same window, memory level and strategy), only a
// default level asked for while a FastPdfDeflate lives becomes the fastest one.
// Callers that choose a level, or use deflateInit2 (libzip, PNG), are untouched.
extern "C" int deflateInit_(z_streamp strm, int level, const char *version, int stream_size)
{
    if (level == Z_DEFAULT_COMPRESSION) {
        level = zorva::report::pdfDeflateLevel();
        if (level == Z_BEST_SPEED && strm && !strm->zalloc && !strm->zfree) {
            strm->zalloc = zorva::report::poolAlloc;
            strm->zfree = zorva::report::poolFree;
            strm->opaque = nullptr;
        }
    }
    return deflateInit2_(strm, level, Z_DEFLATED, MAX_WBITS, 8, Z_DEFAULT_STRATEGY, version, stream_size);
}
