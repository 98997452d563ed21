// Resource paths: every file of the data tree is named by parts separated by '|'
// ("resources|gui|screens|start|background.jpg"), read from the game root (the
// current directory). Everything up to the last '$' is dropped, so a '$' starts
// again from the game root. None of these functions touches the file system.
#pragma once

#include <filesystem>
#include <string>

namespace Kestrum
{
    // The relative file-system path ("./resources/gui/a.png") of a resource path.
    // Empty parts add nothing; a '/' inside a part separates file-system elements
    // but never makes the path absolute. A "." or ".." element would reach outside
    // the tree the path names (possibly outside the game root), so it is refused
    // with a ParseError naming the path.
    std::filesystem::path ToFilesystemPath(const std::string& resourcePath);

    // The resource path of a relative file-system path; a leading "." is dropped,
    // any other "." or ".." part is refused with a ParseError.
    std::string ToResourcePath(const std::filesystem::path& filesystemPath);

    // The cache key of a resource path: a path without '$' unchanged, otherwise the
    // resolved parts behind the last '$', each preceded by '|'.
    std::string Canonize(const std::string& resourcePath);

    // The folder that holds the resource ("a|b|c.xml" gives "a|b").
    std::string GetParentResourcePath(const std::string& resourcePath);

    // head + '|' + tail.
    std::string JoinResourcePath(const std::string& head, const std::string& tail);
}
