#include "engine/program_file_record.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <charconv>

namespace tessarin::engine {
namespace {

constexpr std::string_view kHeader = "tessarin program files 1\n";
// Far more than the files of any number of readings; a larger file is not ours.
constexpr off_t kLargestRecord = 16 << 20;

std::int64_t Nanoseconds(const struct timespec& time) {
  return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

// One number and the blank after it, moving `text` on.
template <typename Number>
bool TakeNumber(std::string_view& text, Number& value) {
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data() + text.size() || *end != ' ') return false;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()) + 1);
  return true;
}

bool WriteAll(int descriptor, std::string_view text) {
  while (!text.empty()) {
    ssize_t written = ::write(descriptor, text.data(), text.size());
    if (written <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string ReadAll(int descriptor) {
  std::string text;
  char buffer[65536];
  ssize_t got = 0;
  while ((got = ::read(descriptor, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(got));
  return got < 0 ? std::string() : text;
}

}  // namespace

ProgramFileRecord::Identity ProgramFileRecord::IdentityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
          static_cast<std::int64_t>(status.st_size), Nanoseconds(status.st_mtim), Nanoseconds(status.st_ctim)};
}

void ProgramFileRecord::Load(int folderDescriptor) {
  files_.clear();
  int descriptor = ::openat(folderDescriptor, std::string(kProgramFileRecordName).c_str(),
                            O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) return;
  struct stat status {};
  // Anyone else's record (in a shared folder, say) could name files of ours.
  bool trusted = ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_uid == ::geteuid() &&
                 status.st_nlink == 1 && status.st_size <= kLargestRecord;
  std::string text = trusted ? ReadAll(descriptor) : std::string();
  ::close(descriptor);
  if (!Parse(text)) return;
  std::erase_if(files_, [&](const auto& entry) {
    struct stat now {};
    return ::fstatat(folderDescriptor, entry.first.c_str(), &now, AT_SYMLINK_NOFOLLOW) != 0 ||
           !Owns(entry.first, now);
  });
}

bool ProgramFileRecord::Owns(std::string_view name, const struct stat& status) const {
  auto found = files_.find(name);
  return found != files_.end() && S_ISREG(status.st_mode) && found->second == IdentityOf(status);
}

void ProgramFileRecord::Note(std::string_view name, const struct stat& status) {
  // A name the record's lines cannot hold is simply not remembered.
  if (name.empty() || name.find('\n') != std::string_view::npos) return;
  files_.insert_or_assign(std::string(name), IdentityOf(status));
}

std::string ProgramFileRecord::Text() const {
  std::string text(kHeader);
  for (const auto& [name, identity] : files_) {
    for (std::int64_t number : {static_cast<std::int64_t>(identity.device), static_cast<std::int64_t>(identity.inode),
                                identity.size, identity.modified, identity.changed}) {
      text += std::to_string(number);
      text += ' ';
    }
    text += name;
    text += '\n';
  }
  return text;
}

bool ProgramFileRecord::Parse(std::string_view text) {
  files_.clear();
  if (!text.starts_with(kHeader)) return false;
  text.remove_prefix(kHeader.size());
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    std::int64_t device = 0, inode = 0;
    Identity identity;
    if (end == std::string_view::npos || !TakeNumber(line, device) || !TakeNumber(line, inode) ||
        !TakeNumber(line, identity.size) || !TakeNumber(line, identity.modified) ||
        !TakeNumber(line, identity.changed) || line.empty()) {
      files_.clear();
      return false;
    }
    text.remove_prefix(end + 1);
    identity.device = static_cast<std::uint64_t>(device);
    identity.inode = static_cast<std::uint64_t>(inode);
    files_.insert_or_assign(std::string(line), identity);
  }
  return true;
}

bool ProgramFileRecord::Save(int folderDescriptor) const {
  // Written beside the record and renamed over it, so that a reader never
  // finds half a record; the name is this process's own.
  static std::atomic<unsigned> counter{0};
  std::string temporary = std::string(kProgramFileRecordName) + "." + std::to_string(::getpid()) + "." +
                          std::to_string(counter.fetch_add(1));
  int descriptor = ::openat(folderDescriptor, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                            0666);
  if (descriptor < 0) return false;
  bool written = WriteAll(descriptor, Text());
  written = ::close(descriptor) == 0 && written;
  std::string name(kProgramFileRecordName);
  if (written && ::renameat(folderDescriptor, temporary.c_str(), folderDescriptor, name.c_str()) == 0) return true;
  ::unlinkat(folderDescriptor, temporary.c_str(), 0);
  return false;
}

}  // namespace tessarin::engine
