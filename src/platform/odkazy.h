#pragma once
// Where a chain of symbolic links leads, for a file that is to be replaced in
// place of the link (a settings file kept among a user's dotfiles).

#include "platform/syscalls.h"

#include <string>

namespace zrc::platform {

// The path that the symbolic link cesta names, link after link, until a name
// that is no link: an existing file of another kind or a name that does not
// exist yet (a dangling link's target). A relative link target counts from
// the directory of the link that holds it. A path that is no link comes back
// unchanged. Fails with ELOOP after 40 links (the kernel's own limit for one
// path), with the errno of readlink when a link cannot be read.
[[nodiscard]] SysResult cilOdkazu(const std::string& cesta, std::string& cil);

} // namespace zrc::platform
