// The zip container of a workbook file: read over libzip, written deflated over zlib.
#include "platform/workbook/zip_archive.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <thread>

#include "platform/error/error.h"
#include "platform/files/file_replacement.h"

namespace gw::wb {

namespace fs = std::filesystem;

namespace {

std::string describe(int code) {
  zip_error_t err;
  zip_error_init_with_code(&err, code);
  std::string text = zip_error_strerror(&err);
  zip_error_fini(&err);
  return text;
}

struct ArchiveCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};
struct FileCloser {
  void operator()(zip_file_t* f) const { zip_fclose(f); }
};

}  // namespace

std::vector<ZipEntry> read_zip(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) throw gw::Error("'" + path + "' could not be found.");
  int code = 0;
  std::unique_ptr<zip_t, ArchiveCloser> za(zip_open(path.c_str(), ZIP_RDONLY, &code));
  if (!za) throw gw::Error("'" + path + "' is not a workbook file (" + describe(code) + ").");
  zip_int64_t n = zip_get_num_entries(za.get(), 0);
  std::vector<ZipEntry> entries;
  entries.reserve(static_cast<size_t>(n));
  for (zip_int64_t i = 0; i < n; ++i) {
    zip_uint64_t idx = static_cast<zip_uint64_t>(i);
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(za.get(), idx, 0, &st) != 0 || !(st.valid & ZIP_STAT_NAME))
      throw gw::Error("'" + path + "' is damaged: " + zip_strerror(za.get()));
    ZipEntry e;
    e.name = st.name;
    if (!e.name.empty() && e.name.back() == '/') continue;  // a folder entry
    std::unique_ptr<zip_file_t, FileCloser> f(zip_fopen_index(za.get(), idx, 0));
    if (!f) throw gw::Error("'" + path + "' is damaged: " + zip_strerror(za.get()));
    char buf[65536];
    for (;;) {
      zip_int64_t got = zip_fread(f.get(), buf, sizeof buf);
      if (got < 0) throw gw::Error("'" + path + "' is damaged: " + zip_file_strerror(f.get()));
      if (got == 0) break;
      e.data.append(buf, static_cast<size_t>(got));
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

namespace {

// Deflate level of the written archives: a moderate one. The sheets of large reports are
// mostly repeated markup, which the fastest levels already shrink about tenfold; the highest
// levels take several times as long for a few per cent.
constexpr int kDeflateLevel = 1;

// Little-endian fields of the zip headers.
void put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xff);
  out += static_cast<char>((v >> 8) & 0xff);
}
void put32(std::string& out, unsigned long v) {
  put16(out, static_cast<unsigned>(v & 0xffff));
  put16(out, static_cast<unsigned>((v >> 16) & 0xffff));
}

// Deflates one block of an entry on its own (raw deflate, as the zip format stores it). A block
// that is not the last ends on a byte boundary without ending the stream, so that the blocks'
// outputs joined in order are one deflate stream.
std::string deflate_block(const std::string& in, bool last) {
  z_stream z{};
  if (deflateInit2(&z, kDeflateLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
    throw gw::Error("The workbook could not be compressed (out of memory).");
  std::string out(deflateBound(&z, static_cast<uLong>(in.size())) + 64, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.avail_in = static_cast<uInt>(in.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  const int rc = deflate(&z, last ? Z_FINISH : Z_SYNC_FLUSH);
  const bool done = last ? rc == Z_STREAM_END : rc == Z_OK && z.avail_in == 0 && z.avail_out != 0;
  out.resize(out.size() - z.avail_out);
  deflateEnd(&z);
  if (!done) throw gw::Error("The workbook could not be compressed.");
  return out;
}

// One entry deflated straight into the archive file, with its check sum and sizes; `emit` takes
// each piece of compressed bytes in order. A large entry is cut into blocks that are deflated
// side by side on worker threads while the entry is still being produced.
class Deflater : public ByteSink {
 public:
  explicit Deflater(std::function<void(std::string_view)> emit) : emit_(std::move(emit)) {}
  ~Deflater() override {
    // A failure on the way leaves blocks in work: they finish before their input goes.
    for (auto& f : pending_)
      if (f.valid()) f.wait();
  }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  void write(std::string_view bytes) override {
    crc_ = crc32_z(crc_, reinterpret_cast<const Bytef*>(bytes.data()), bytes.size());
    size_ += bytes.size();
    while (!bytes.empty()) {
      const std::size_t take = std::min(bytes.size(), kBlock - block_.size());
      block_.append(bytes.substr(0, take));
      bytes.remove_prefix(take);
      if (block_.size() == kBlock) {
        // The first blocks are deflated here: a small entry is not worth a thread.
        if (++blocks_ <= kBlocksHere) {
          put(deflate_block(block_, false));
          block_.clear();
          continue;
        }
        pending_.push_back(std::async(std::launch::async, deflate_block, std::move(block_), false));
        block_ = std::string();
        block_.reserve(kBlock);
        while (pending_.size() > workers()) drain_one();
      }
    }
  }
  void finish() {
    if (pending_.empty()) {
      put(deflate_block(block_, true));  // a small entry: one block, here
    } else {
      pending_.push_back(std::async(std::launch::async, deflate_block, std::move(block_), true));
      while (!pending_.empty()) drain_one();
    }
  }

  unsigned long crc() const { return crc_; }
  unsigned long long size() const { return size_; }
  unsigned long long compressed_size() const { return compressed_; }

 private:
  static constexpr std::size_t kBlock = 1 << 20;
  static constexpr int kBlocksHere = 2;
  static std::size_t workers() {
    const unsigned n = std::thread::hardware_concurrency();
    return n < 2 ? 2 : std::min(n, 8u);
  }
  void put(const std::string& out) {
    emit_(out);
    compressed_ += out.size();
  }
  void drain_one() {
    std::future<std::string> f = std::move(pending_.front());
    pending_.pop_front();
    put(f.get());
  }

  std::function<void(std::string_view)> emit_;
  std::string block_;
  int blocks_ = 0;  // full blocks so far
  std::deque<std::future<std::string>> pending_;
  unsigned long crc_ = crc32(0L, Z_NULL, 0);
  unsigned long long size_ = 0;
  unsigned long long compressed_ = 0;
};

// Date and time of the entries in the archive's form: now, local time.
std::pair<unsigned, unsigned> dos_now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  const unsigned date =
      static_cast<unsigned>(((std::max(tm.tm_year, 80) - 80) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday);
  const unsigned time = static_cast<unsigned>((tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2));
  return {date, time};
}

bool ascii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

void write_zip(const std::string& path, const std::vector<ZipEntry>& entries) {
  // The classic zip format (no 64-bit extension) holds up to 65,535 entries of up to 4 GB.
  constexpr unsigned long long kLimit = 0xffffffffULL;
  if (entries.size() >= 0xffff)
    throw gw::Error("Cannot write '" + path + "': the workbook has too many parts.");
  const auto [date, time] = dos_now();
  // The archive goes to a file beside the target that replaces it only once it is complete.
  files::FileReplacement file(path);
  auto emit = [&](std::string_view bytes) { file.write(bytes); };
  auto too_large = [&] { return gw::Error("Cannot write '" + path + "' (the workbook is too large)."); };

  std::string central;
  unsigned long long offset = 0;
  for (const ZipEntry& e : entries) {
    // The local header goes first with its check sum and sizes left open; they are filled in
    // once the entry is written.
    const unsigned flags = ascii(e.name) ? 0 : 0x800;  // bit 11: the name is UTF-8
    std::string local;
    put32(local, 0x04034b50);
    put16(local, 20);  // version needed: deflate
    put16(local, flags);
    put16(local, 8);  // deflated
    put16(local, time);
    put16(local, date);
    put32(local, 0);
    put32(local, 0);
    put32(local, 0);
    put16(local, static_cast<unsigned>(e.name.size()));
    put16(local, 0);
    local += e.name;
    emit(local);
    Deflater d(emit);
    if (e.produce)
      e.produce(d);
    else
      d.write(e.data);
    d.finish();
    if (d.size() > kLimit || d.compressed_size() > kLimit || offset > kLimit) throw too_large();
    std::string sums;
    put32(sums, d.crc());
    put32(sums, static_cast<unsigned long>(d.compressed_size()));
    put32(sums, static_cast<unsigned long>(d.size()));
    file.write_at(offset + 14, sums);

    put32(central, 0x02014b50);
    put16(central, 0x031e);  // made by: Unix, 3.0
    put16(central, 20);
    put16(central, flags);
    put16(central, 8);
    put16(central, time);
    put16(central, date);
    put32(central, d.crc());
    put32(central, static_cast<unsigned long>(d.compressed_size()));
    put32(central, static_cast<unsigned long>(d.size()));
    put16(central, static_cast<unsigned>(e.name.size()));
    put16(central, 0);                // extra field
    put16(central, 0);                // comment
    put16(central, 0);                // disk
    put16(central, 0);                // internal attributes
    put32(central, 0100644UL << 16);  // external attributes: a regular file, rw-r--r--
    put32(central, static_cast<unsigned long>(offset));
    central += e.name;
    offset += local.size() + d.compressed_size();
  }
  if (offset > kLimit || central.size() > kLimit) throw too_large();
  std::string end;
  put32(end, 0x06054b50);
  put16(end, 0);
  put16(end, 0);
  put16(end, static_cast<unsigned>(entries.size()));
  put16(end, static_cast<unsigned>(entries.size()));
  put32(end, static_cast<unsigned long>(central.size()));
  put32(end, static_cast<unsigned long>(offset));
  put16(end, 0);
  emit(central);
  emit(end);
  file.commit();
}

}  // namespace gw::wb
