// A bounded mutation driver with libFuzzer's interface, built with the program's own
// compiler (the libraries under test are built with g++, and Qt with it):
//   fuzz_<target> [--seconds S] [--runs N] [--seed X] [--max-len L] CORPUS_FOLDER...
// runs every corpus file, then mutates them until S seconds (default 3) or N mutated
// inputs have run, and prints "FUZZ <target> <executions> executions <seconds> s".
#include "fuzzdriver.h"

#include "core/cp1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

const char *g_target = "fuzz";
const uint8_t *g_data = nullptr;  // the input running now
size_t g_size = 0;
char g_crashFile[256] = "crash";

// Writes the running input beside the test (async-signal-safe: open, write, close).
void saveCurrentInput()
{
    const int fd = ::open(g_crashFile, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return;
    size_t done = 0;
    while (done < g_size) {
        const ssize_t n = ::write(fd, g_data + done, g_size - done);
        if (n <= 0)
            break;
        done += size_t(n);
    }
    ::close(fd);
    const char note[] = "\nthe input is saved in ";
    [[maybe_unused]] ssize_t r = ::write(2, note, sizeof note - 1);
    r = ::write(2, g_crashFile, std::strlen(g_crashFile));
    r = ::write(2, "\n", 1);
}

void onSignal(int sig)
{
    saveCurrentInput();
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// Words the parsers give a meaning to; a mutation may insert one.
const char *const Tokens[] = {
    "'",          "\"",         "`",
    "\\",         ";",          "--",
    "-- ",        "#",          "/*",
    "*/",         "\r",         "\n",
    "\r\n",       "DELIMITER ", "DELIMITER $$\n",
    "$$",         "[",          "]",
    "=",          "(",          ")",
    " and ",      " or ",       "not ",
    "<>",         "<=",         ">=",
    "!=",         "WHERE ",     "ORDER BY ",
    ",",          ".",          "-",
    "0",          "9",          "1e308",
    "2010.03",    "201013",     "PK\x03\x04",
    "PK\x05\x06", "PK\x01\x02", "\xc5\x91",
    "\xf5",       "\xff",       "\0",
    "0x",         "$",          "999999999999999999999",
};

class Mutator {
public:
    explicit Mutator(unsigned seed) : m_rng(seed) {}
    size_t below(size_t n) { return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(m_rng); }

    QByteArray mutate(QByteArray in, const std::vector<QByteArray> &corpus, size_t maxLen)
    {
        const size_t steps = 1 + below(4);
        for (size_t s = 0; s < steps; ++s) {
            const qsizetype n = in.size();
            switch (below(8)) {
                case 0:  // flip a bit
                    if (n > 0)
                        in[qsizetype(below(size_t(n)))] ^= char(1 << below(8));
                    break;
                case 1:  // a random byte
                    if (n > 0)
                        in[qsizetype(below(size_t(n)))] = char(below(256));
                    break;
                case 2:  // insert random bytes
                    in.insert(qsizetype(below(size_t(n) + 1)),
                              QByteArray(qsizetype(1 + below(8)), char(below(256))));
                    break;
                case 3:  // delete a range
                    if (n > 0) {
                        const qsizetype at = qsizetype(below(size_t(n)));
                        in.remove(at, qsizetype(1 + below(size_t(n - at))));
                    }
                    break;
                case 4:  // duplicate a range
                    if (n > 0) {
                        const qsizetype at = qsizetype(below(size_t(n)));
                        const QByteArray part = in.mid(at, qsizetype(1 + below(16)));
                        in.insert(qsizetype(below(size_t(n) + 1)), part);
                    }
                    break;
                case 5:  // a token
                case 6: {
                    const char *t = Tokens[below(std::size(Tokens))];
                    const QByteArray token = *t ? QByteArray(t) : QByteArray(1, '\0');
                    in.insert(qsizetype(below(size_t(n) + 1)), token);
                    break;
                }
                default: {  // splice with another corpus entry
                    const QByteArray &other = corpus[below(corpus.size())];
                    const qsizetype at = qsizetype(below(size_t(other.size()) + 1));
                    in = in.left(qsizetype(below(size_t(n) + 1))) + other.mid(at);
                    break;
                }
            }
        }
        if (size_t(in.size()) > maxLen)
            in.truncate(qsizetype(maxLen));
        return in;
    }

private:
    std::mt19937 m_rng;
};

void run(const QByteArray &input)
{
    g_data = reinterpret_cast<const uint8_t *>(input.constData());
    g_size = size_t(input.size());
    LLVMFuzzerTestOneInput(g_data, g_size);
    g_data = nullptr;
    g_size = 0;
}

}  // namespace

namespace fuzz {

void fail(const char *condition, const char *file, int line, const QString &detail)
{
    std::fprintf(stderr, "%s: check failed at %s:%d: %s\n  %s\n", g_target, file, line, condition,
                 detail.toUtf8().constData());
    saveCurrentInput();
    std::_Exit(1);
}

QString text(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (size > 0 && (data[0] & 1))
        return zorva::fromCp1250(bytes);
    return QString::fromUtf8(bytes);
}

}  // namespace fuzz

int main(int argc, char **argv)
{
    QString name = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    if (name.startsWith(QLatin1String("fuzz_")))
        name = name.mid(5);
    const QByteArray target = name.toLocal8Bit();
    g_target = target.constData();
    std::snprintf(g_crashFile, sizeof g_crashFile, "crash-%s-%ld", g_target, long(::getpid()));

    double seconds = 3;
    long long maxRuns = -1;
    unsigned seed = std::random_device{}();
    size_t maxLen = 4096;
    std::vector<QByteArray> corpus;
    for (int i = 1; i < argc; ++i) {
        const QString a = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (a == QLatin1String("--seconds") && hasValue) {
            seconds = std::atof(argv[++i]);
        } else if (a == QLatin1String("--runs") && hasValue) {
            maxRuns = std::atoll(argv[++i]);
        } else if (a == QLatin1String("--seed") && hasValue) {
            seed = unsigned(std::strtoul(argv[++i], nullptr, 10));
        } else if (a == QLatin1String("--max-len") && hasValue) {
            maxLen = size_t(std::atoll(argv[++i]));
        } else {
            const QFileInfo info(a);
            const QStringList files =
                info.isDir() ? QDir(a).entryList(QDir::Files, QDir::Name) : QStringList{a};
            for (const QString &f : files) {
                QFile file(info.isDir() ? QDir(a).filePath(f) : a);
                if (file.open(QIODevice::ReadOnly))
                    corpus.push_back(file.readAll());
            }
        }
    }
    if (corpus.empty())
        corpus.push_back(QByteArray());

    for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL})
        std::signal(sig, onSignal);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(saveCurrentInput);
#endif

    long long executions = 0;
    for (const QByteArray &input : corpus) {
        run(input);
        ++executions;
    }
    // Mutations of the corpus; the inputs that are new in length join it now and then.
    Mutator mutator(seed);
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&start] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    long long mutated = 0;
    while ((maxRuns < 0 || mutated < maxRuns) && (maxRuns >= 0 || elapsed() < seconds)) {
        const QByteArray input = mutator.mutate(corpus[mutator.below(corpus.size())], corpus, maxLen);
        run(input);
        ++executions;
        ++mutated;
        if (mutator.below(64) == 0 && corpus.size() < 4096)
            corpus.push_back(input);
    }
    std::printf("FUZZ %s %lld executions %.1f s (seed %u)\n", g_target, executions, elapsed(), seed);
    return 0;
}
