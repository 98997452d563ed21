#include "core/ResourceUtility.hpp"

#include "core/Exception.hpp"

#include <vector>

namespace Kestrum
{
    namespace
    {
        // Splits at every separator and keeps empty parts ("a||b|" gives a, "", b, "").
        std::vector<std::string> Split(const std::string& text, char separator)
        {
            std::vector<std::string> parts;
            std::string::size_type start = 0;
            for (;;)
            {
                const std::string::size_type end = text.find(separator, start);
                if (end == std::string::npos)
                {
                    parts.push_back(text.substr(start));
                    return parts;
                }
                parts.push_back(text.substr(start, end - start));
                start = end + 1;
            }
        }

        std::string CutAtLastDollar(const std::string& path)
        {
            const std::string::size_type dollar = path.rfind('$');
            return dollar == std::string::npos ? path : path.substr(dollar + 1);
        }

        // A "." or ".." part has no place in a path that is about to be opened or
        // stored: it could lead out of the game root.
        void RefuseDots(const std::vector<std::string>& parts, const std::string& path)
        {
            for (const std::string& part : parts)
                if (part == ".")
                    BOOST_THROW_EXCEPTION(ParseError("Dots are not allowed in path: " + path));
            for (const std::string& part : parts)
                if (part == "..")
                    BOOST_THROW_EXCEPTION(ParseError("Double dots are not allowed in path: " + path));
        }

        std::filesystem::path R_To_FS(const std::string& resourcePath)
        {
            // The file system reads a '/' inside a part as a separator of its own (and
            // a leading one as the file-system root), so the parts are taken apart at
            // '/' as well: "a|../../b" or "$/etc" must not lead out of the game root.
            std::vector<std::string> elements;
            for (const std::string& part : Split(CutAtLastDollar(resourcePath), '|'))
                for (std::string& element : Split(part, '/'))
                    elements.push_back(std::move(element));
            RefuseDots(elements, resourcePath);
            std::filesystem::path result(".");
            for (const std::string& element : elements)
                if (!element.empty())
                    result /= element;
            return result;
        }

        std::string FS_To_R(const std::filesystem::path& filesystemPath)
        {
            const std::string text = filesystemPath.string();
            std::vector<std::string> parts = Split(text, '/');
            if (!parts.empty() && parts.front() == ".")
                parts.erase(parts.begin());
            RefuseDots(parts, text);
            std::string result;
            for (const std::string& part : parts)
            {
                if (!result.empty())
                    result += '|';
                result += part;
            }
            return result;
        }
    }

    std::filesystem::path ToFilesystemPath(const std::string& resourcePath)
    {
        return R_To_FS(resourcePath);
    }

    std::string ToResourcePath(const std::filesystem::path& filesystemPath)
    {
        return FS_To_R(filesystemPath);
    }

    std::string Canonize(const std::string& resourcePath)
    {
        if (resourcePath.find('$') == std::string::npos)
            return resourcePath;

        std::vector<std::string> parts = Split(CutAtLastDollar(resourcePath), '|');
        std::vector<std::string>::size_type cursor = 0;
        while (cursor < parts.size())
        {
            const std::string& part = parts[cursor];
            if (part.empty() || part == ".")
            {
                parts.erase(parts.begin() + cursor);
            }
            else if (part == "..")
            {
                if (cursor == 0)
                    BOOST_THROW_EXCEPTION(
                        LogicError("can not go outside game root directory: " + resourcePath));
                parts.erase(parts.begin() + (cursor - 1), parts.begin() + (cursor + 1));
                --cursor;
            }
            else
            {
                ++cursor;
            }
        }
        if (parts.empty())
            BOOST_THROW_EXCEPTION(RuntimeError("canonical path would be empty: " + resourcePath));

        std::string result;
        for (const std::string& part : parts)
            result += '|' + part;
        return result;
    }

    std::string GetParentResourcePath(const std::string& resourcePath)
    {
        return ToResourcePath(ToFilesystemPath(resourcePath).parent_path());
    }

    std::string JoinResourcePath(const std::string& head, const std::string& tail)
    {
        return head + '|' + tail;
    }
}
