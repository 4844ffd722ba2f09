// The folders of a tree, for a run over a whole collection.
#pragma once
#include <atomic>
#include <string>
#include <vector>

// `root` and every folder below it, each before the folders it holds, those
// in name order. Junctions and symbolic links are not followed. Counts each
// folder in `found` as it is found, and stops, with what it found, once
// `stop` is set.
std::vector<std::wstring> FoldersOfTree(const std::wstring& root, const std::atomic<bool>& stop,
                                        std::atomic<size_t>& found);

// `name` inside `folder`, which may be a drive's root.
std::wstring Within(const std::wstring& folder, const std::wstring& name);
