#include "platform/linux/ParallelPortTable.h"

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace zelkora {

namespace {

// The first number of a base-addr file, or 0 when there is none.
int ReadBase(const std::string& path) {
  std::ifstream in(path);
  std::string first;
  if (!(in >> first)) return 0;
  char* end = nullptr;
  const unsigned long value = std::strtoul(first.c_str(), &end, 0);
  if (end == first.c_str() || *end != '\0' || value > 0xFFFF) return 0;
  return static_cast<int>(value);
}

}  // namespace

void ParallelPortTable::load() {
  ports_.clear();
  const std::string folder = root_ + "/proc/sys/dev/parport";
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return;
  while (dirent* entry = ::readdir(dir)) {
    if (std::strncmp(entry->d_name, "parport", 7) != 0) continue;
    const std::string name = entry->d_name;
    const int base = ReadBase(folder + "/" + name + "/base-addr");
    if (base == 0) continue;
    ports_.push_back({name, root_ + "/dev/" + name, base});
  }
  ::closedir(dir);
  std::sort(ports_.begin(), ports_.end(),
            [](const Port& a, const Port& b) { return a.name < b.name; });
}

std::optional<ParallelPortTable::Hit> ParallelPortTable::find(int address) const {
  for (const Port& port : ports_) {
    if (address == port.base) return Hit{port, Register::Data};
    if (address == port.base + 1) return Hit{port, Register::Status};
  }
  return std::nullopt;
}

}  // namespace zelkora
