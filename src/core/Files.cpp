#include "core/Files.hpp"

#include "core/Exception.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace Kestrum
{
    std::filesystem::path GetGameRoot()
    {
        return std::filesystem::current_path();
    }

    stable_ptr<std::istream> OpenFile(const std::string& path)
    {
        if (!std::filesystem::is_regular_file(path))
            BOOST_THROW_EXCEPTION(LoadError(path + " is not a regular file"));
        std::shared_ptr<std::ifstream> stream = std::make_shared<std::ifstream>(path);
        if (!stream->is_open())
            BOOST_THROW_EXCEPTION(LoadError("could not open " + path));
        stream->exceptions(std::ios::badbit);
        return create_stable_ptr(std::shared_ptr<std::istream>(stream));
    }

    void WriteFileAtomically(const std::filesystem::path& path, const std::string& contents)
    {
        std::string name = path.string() + ".XXXXXX";
        const int descriptor = mkstemp(name.data());
        if (descriptor < 0)
            BOOST_THROW_EXCEPTION(FileError("could not create a temporary file for " + path.string() + ": " +
                                            std::strerror(errno)));
        int failure = 0;
        for (std::size_t done = 0; !failure && done < contents.size();)
        {
            const ssize_t count = write(descriptor, contents.data() + done, contents.size() - done);
            if (count > 0)
                done += static_cast<std::size_t>(count);
            else if (count == 0)
                failure = EIO;
            else if (errno != EINTR)
                failure = errno;
        }
        if (!failure && fsync(descriptor) != 0)
            failure = errno;
        if (close(descriptor) != 0 && !failure)
            failure = errno;
        // mkstemp makes the file readable by its owner only.
        if (!failure && chmod(name.c_str(), 0644) != 0)
            failure = errno;
        if (!failure && std::rename(name.c_str(), path.c_str()) != 0)
            failure = errno;
        if (failure)
        {
            std::remove(name.c_str());
            BOOST_THROW_EXCEPTION(FileError("could not write " + path.string() + ": " + std::strerror(failure)));
        }
    }
}
