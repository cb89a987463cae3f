# Sourced by tools/emulated-pc: the emulated PC's disk, built from Debian packages without
# running any of them (mmdebstrap configures the amd64 and i386 packages natively, so this works
# where the kernel refuses 32-bit code), then made an ext4 image without a loop mount. The
# recipe is this file, the package list, the PC's init and the image's package source; the image
# is built again whenever their hash differs from the one stored beside it.
#
# The PC has no network, so it needs one consistent release, not that release's updates: its
# packages come from the release suite alone, on the mirror the host's own lists use for it. The
# updates and security suites are left out because a mirror mid-sync serves one of their indexes
# stale for hours (the wrong size for one architecture), and mmdebstrap stops at any such error.
# shellcheck shell=bash

guest=$root/tools/guest
image_release=bookworm

# The one line of the image's package source: the host's mirror of the release suite.
image_source() {
    local mirror
    # shellcheck disable=SC2016 # apt's field, not the shell's
    mirror=$(apt-get indextargets --format '$(REPO_URI)' "Release: $image_release" 2>/dev/null | head -n1)
    say "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] ${mirror:-http://deb.debian.org/debian/} $image_release main"
}

image_recipe() {
    { cat "$guest/image.sh" "$guest/packages" "$guest/init" && image_source; } | sha256sum | cut -d' ' -f1
}

image_is_current() {
    [ -f "$cache/image.recipe" ] && [ "$(cat "$cache/image.recipe")" = "$(image_recipe)" ] &&
        [ -f "$cache/rootfs.ext4" ] && [ -f "$cache/vmlinuz" ] && [ -f "$cache/initrd.img" ]
}

# Builds the root in a scratch folder beside the cache and moves the finished files in; the
# recipe's hash is written last, so a broken build leaves no image that looks whole.
build_image() {
    local scratch packages
    rm -f "$cache/image.recipe" "$cache/prefix.made"
    scratch=$(mktemp -d "$cache/build.XXXXXX")
    packages=$(sed 's/#.*//' "$guest/packages" | xargs | tr ' ' ,)
    $sudo nice mmdebstrap --quiet --variant=apt --architectures=amd64,i386 \
        --aptopt='APT::Install-Recommends "true"' --include="$packages" \
        --customize-hook="install -m 755 '$guest/init' \"\$1/sbin/prereqcheck-init\"" \
        "$image_release" "$scratch/root" "$(image_source)"
    $sudo cp "$scratch"/root/boot/vmlinuz-* "$scratch/vmlinuz"
    $sudo cp "$scratch"/root/boot/initrd.img-* "$scratch/initrd.img"
    $sudo chmod a+r "$scratch/vmlinuz" "$scratch/initrd.img"
    # Room for the kept Wine prefix and every scenario's copy of it.
    $sudo nice mkfs.ext4 -q -F -m 0 -L prereqcheck -d "$scratch/root" "$scratch/rootfs.ext4" 10G
    $sudo chown "$(id -u):$(id -g)" "$scratch/rootfs.ext4"
    mv "$scratch/vmlinuz" "$scratch/initrd.img" "$scratch/rootfs.ext4" "$cache/"
    $sudo rm -rf "$scratch"
    image_recipe >"$cache/image.recipe"
}
