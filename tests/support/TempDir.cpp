#include "support/TempDir.h"

#include "store/CustomIniFile.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace sw::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("skinwrt-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string editError(const std::function<void()>& edit)
{
    try {
        edit();
        return {};
    } catch (const EIniFileException& error) {
        return error.what();
    }
}

void setEnvironment(const std::string& name, const char* value)
{
#ifdef _WIN32
    // An empty value removes the variable there, which is what nullptr asks for.
    ::_putenv_s(name.c_str(), value ? value : "");
#else
    if (value)
        ::setenv(name.c_str(), value, 1);
    else
        ::unsetenv(name.c_str());
#endif
}

}  // namespace sw::test
