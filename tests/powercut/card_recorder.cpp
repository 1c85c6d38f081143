// A card that remembers what reached it: a FUSE file system holding one image file, "card.img", whose every write and
// every flush to the medium is appended to a log in the order it arrived, before it is answered. A loop device over
// that file is a card whose power can be cut afterwards at any point of the log: the image is rebuilt from the image
// as it was before, the log's writes up to the cut, and a prefix of the 512-byte sectors of the write the cut tears.
//
//     card_recorder serve IMAGE LOG MOUNTPOINT     serves IMAGE as MOUNTPOINT/card.img until unmounted; a write to
//                                                  MOUNTPOINT/mark puts a mark into the log (the test's "done")
//     card_recorder plan LOG BETWEEN SEED          the cut points: "cut COUNT TORN DROP KIND" per line (the first
//                                                  COUNT records but the write DROP, or -1, then TORN sectors of the
//                                                  next one, or -1): after every flush; before up to BETWEEN writes
//                                                  between two flushes, whole and torn (the sector drawn with SEED);
//                                                  and before a flush with one write since the last flush lost (the
//                                                  medium need not keep the order of writes it was not told to flush).
//                                                  Then "records COUNT" and "done COUNT" for each mark (the records
//                                                  before it)
//     card_recorder rebuild LOG IMAGE COUNT TORN DROP   applies that cut to IMAGE (a copy of the image served)
//
// The log is a sequence of records: a header (kind, length, offset, all little-endian as this machine writes them) and,
// for a write, its bytes.

#define FUSE_USE_VERSION 35
#include <fuse.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <set>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {
enum RecordKind : std::uint32_t
{
    WriteRecord = 1, // bytes written at an offset of the image
    SyncRecord = 2,  // the image flushed to the medium (the loop device's flush reaches the file as an fsync)
    MarkRecord = 3,  // a write to the mark file: a point in time the test noted
};

struct RecordHeader
{
    std::uint32_t kind;
    std::uint32_t length;
    std::uint64_t offset;
};

struct Record
{
    RecordHeader header;
    long dataOffset; // where its bytes are in the log
};

constexpr std::uint64_t sectorSize = 512;
const char imagePath[] = "/card.img";
const char markPath[] = "/mark";

int imageFile = -1;
int logFile = -1;
off_t imageSize = 0;

bool writeAll(int file, const void* data, size_t length)
{
    const char* bytes = static_cast<const char*>(data);
    while (length > 0) {
        const ssize_t count = ::write(file, bytes, length);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        bytes += count;
        length -= static_cast<size_t>(count);
    }
    return true;
}

bool appendRecord(RecordKind kind, std::uint64_t offset, const char* data, std::uint32_t length)
{
    const RecordHeader header{kind, length, offset};
    return writeAll(logFile, &header, sizeof header) && (length == 0 || writeAll(logFile, data, length));
}

int recorderGetattr(const char* path, struct stat* status, fuse_file_info*)
{
    std::memset(status, 0, sizeof *status);
    if (std::strcmp(path, "/") == 0) {
        status->st_mode = S_IFDIR | 0755;
        status->st_nlink = 2;
    } else if (std::strcmp(path, imagePath) == 0) {
        status->st_mode = S_IFREG | 0644;
        status->st_nlink = 1;
        status->st_size = imageSize;
    } else if (std::strcmp(path, markPath) == 0) {
        status->st_mode = S_IFREG | 0200;
        status->st_nlink = 1;
    } else {
        return -ENOENT;
    }
    return 0;
}

int recorderReaddir(const char* path, void* buffer, fuse_fill_dir_t fill, off_t, fuse_file_info*, fuse_readdir_flags)
{
    if (std::strcmp(path, "/") != 0)
        return -ENOENT;
    for (const char* name : {".", "..", imagePath + 1, markPath + 1})
        fill(buffer, name, nullptr, 0, fuse_fill_dir_flags{});
    return 0;
}

int recorderOpen(const char* path, fuse_file_info* info)
{
    if (std::strcmp(path, imagePath) != 0 && std::strcmp(path, markPath) != 0)
        return -ENOENT;
    // Every write comes here as it was made, never gathered in the kernel's cache of this file.
    info->direct_io = 1;
    return 0;
}

int recorderTruncate(const char* path, off_t size, fuse_file_info*)
{
    if (std::strcmp(path, markPath) == 0)
        return 0;
    return size == imageSize ? 0 : -EPERM;
}

int recorderRead(const char* path, char* buffer, size_t size, off_t offset, fuse_file_info*)
{
    if (std::strcmp(path, imagePath) != 0)
        return 0;
    const ssize_t count = ::pread(imageFile, buffer, size, offset);
    return count < 0 ? -errno : static_cast<int>(count);
}

int recorderWrite(const char* path, const char* buffer, size_t size, off_t offset, fuse_file_info*)
{
    if (std::strcmp(path, markPath) == 0)
        return appendRecord(MarkRecord, 0, nullptr, 0) ? static_cast<int>(size) : -EIO;
    if (offset < 0 || offset + static_cast<off_t>(size) > imageSize)
        return -ENOSPC;
    if (!appendRecord(WriteRecord, static_cast<std::uint64_t>(offset), buffer, static_cast<std::uint32_t>(size)))
        return -EIO;
    size_t done = 0;
    while (done < size) {
        const ssize_t count = ::pwrite(imageFile, buffer + done, size - done, offset + static_cast<off_t>(done));
        if (count <= 0)
            return -EIO;
        done += static_cast<size_t>(count);
    }
    return static_cast<int>(size);
}

int recorderFsync(const char* path, int, fuse_file_info*)
{
    if (std::strcmp(path, imagePath) != 0)
        return 0;
    return appendRecord(SyncRecord, 0, nullptr, 0) ? 0 : -EIO;
}

int serve(const char* image, const char* log, const char* mountPoint)
{
    imageFile = ::open(image, O_RDWR);
    logFile = ::open(log, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    struct stat status;
    if (imageFile < 0 || logFile < 0 || ::fstat(imageFile, &status) != 0) {
        std::perror("card_recorder");
        return 1;
    }
    imageSize = status.st_size;
    fuse_operations operations;
    std::memset(&operations, 0, sizeof operations);
    operations.getattr = recorderGetattr;
    operations.readdir = recorderReaddir;
    operations.open = recorderOpen;
    operations.truncate = recorderTruncate;
    operations.read = recorderRead;
    operations.write = recorderWrite;
    operations.fsync = recorderFsync;
    // In the foreground and on one thread: the log holds the records in the order they were answered.
    std::string program = "card_recorder";
    std::string foreground = "-f";
    std::string singleThread = "-s";
    std::string mount = mountPoint;
    char* arguments[] = {program.data(), foreground.data(), singleThread.data(), mount.data(), nullptr};
    return fuse_main(4, arguments, &operations, nullptr);
}

std::vector<Record> readLog(std::FILE* log)
{
    std::vector<Record> records;
    RecordHeader header;
    while (std::fread(&header, sizeof header, 1, log) == 1) {
        records.push_back({header, std::ftell(log)});
        if (std::fseek(log, header.length, SEEK_CUR) != 0)
            break;
    }
    return records;
}

int plan(const char* logPath, int between, unsigned seed)
{
    std::FILE* log = std::fopen(logPath, "rb");
    if (!log) {
        std::perror(logPath);
        return 1;
    }
    const std::vector<Record> records = readLog(log);
    std::fclose(log);
    std::mt19937 random(seed);
    // Each point (count, torn sectors, dropped write) once, with what kind of point it is.
    struct Cut
    {
        size_t count;
        long torn;
        long dropped;
        const char* kind;
    };
    std::set<std::tuple<size_t, long, long>> cuts;
    std::vector<Cut> lines;
    const auto add = [&](size_t count, long torn, const char* kind, long dropped = -1) {
        if (cuts.insert({count, torn, dropped}).second)
            lines.push_back({count, torn, dropped, kind});
    };
    add(0, -1, "start");
    std::vector<size_t> gap; // the writes since the last flush
    const auto sampleGap = [&] {
        const size_t chosen = std::min(gap.size(), static_cast<size_t>(between));
        for (size_t i = 0; i < chosen; ++i) {
            // Spread evenly over the gap, its first and last write included.
            const size_t index = gap[chosen == 1 ? 0 : i * (gap.size() - 1) / (chosen - 1)];
            add(index, -1, "between");
            const std::uint64_t sectors = (records[index].header.length + sectorSize - 1) / sectorSize;
            if (sectors > 1)
                add(index, static_cast<long>(1 + random() % (sectors - 1)), "torn");
        }
        // All of the gap's writes but one that is not its last: a later write reached the medium, an earlier one
        // did not.
        for (size_t i = 0; i + 1 < gap.size() && i < static_cast<size_t>(between); ++i)
            add(gap.back() + 1, -1, "reordered", static_cast<long>(gap[i]));
        gap.clear();
    };
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].header.kind == WriteRecord) {
            gap.push_back(i);
        } else if (records[i].header.kind == SyncRecord) {
            sampleGap();
            add(i + 1, -1, "flush");
        }
    }
    sampleGap();
    add(records.size(), -1, "end");
    for (const Cut& cut : lines)
        std::printf("cut %zu %ld %ld %s\n", cut.count, cut.torn, cut.dropped, cut.kind);
    std::printf("records %zu\n", records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].header.kind == MarkRecord)
            std::printf("done %zu\n", i);
    }
    return 0;
}

int rebuild(const char* logPath, const char* image, size_t count, long torn, long dropped)
{
    std::FILE* log = std::fopen(logPath, "rb");
    const int file = ::open(image, O_WRONLY);
    if (!log || file < 0) {
        std::perror("card_recorder");
        return 1;
    }
    const std::vector<Record> records = readLog(log);
    if (count > records.size() ||
        (torn >= 0 && (count == records.size() || records[count].header.kind != WriteRecord))) {
        std::fprintf(stderr, "card_recorder: no such cut point\n");
        return 1;
    }
    std::vector<char> bytes;
    const auto apply = [&](const Record& record, std::uint64_t length) {
        bytes.resize(length);
        return std::fseek(log, record.dataOffset, SEEK_SET) == 0 &&
               std::fread(bytes.data(), 1, length, log) == length &&
               ::pwrite(file, bytes.data(), length, static_cast<off_t>(record.header.offset)) ==
                   static_cast<ssize_t>(length);
    };
    bool good = true;
    for (size_t i = 0; i < count && good; ++i) {
        if (records[i].header.kind == WriteRecord && static_cast<long>(i) != dropped)
            good = apply(records[i], records[i].header.length);
    }
    if (good && torn >= 0)
        good = apply(records[count], std::min<std::uint64_t>(static_cast<std::uint64_t>(torn) * sectorSize,
                                                             records[count].header.length));
    std::fclose(log);
    if (::close(file) != 0 || !good) {
        std::fprintf(stderr, "card_recorder: cannot rebuild %s\n", image);
        return 1;
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "serve" && argc == 5)
        return serve(argv[2], argv[3], argv[4]);
    if (command == "plan" && argc == 5)
        return plan(argv[2], std::atoi(argv[3]), static_cast<unsigned>(std::strtoul(argv[4], nullptr, 10)));
    if (command == "rebuild" && argc == 7)
        return rebuild(argv[2], argv[3], std::strtoull(argv[4], nullptr, 10), std::atol(argv[5]), std::atol(argv[6]));
    std::fprintf(stderr, "usage: card_recorder serve IMAGE LOG MOUNTPOINT | plan LOG BETWEEN SEED |"
                         " rebuild LOG IMAGE COUNT TORN DROP\n");
    return 2;
}
