# Sourced by tools/emulated-pc: the emulated PC's disk, built from Debian packages without
# running any of them (mmdebstrap configures the amd64 and i386 packages natively, so this works
# where the kernel refuses 32-bit code), then made an ext4 image without a loop mount. The
# recipe is this file, the package list, the PC's init and the host's Debian sources; the image
# is built again whenever their hash differs from the one stored beside it.
# shellcheck shell=bash

guest=$root/tools/guest
debian_sources=/etc/apt/sources.list.d/debian.sources
[ -f "$debian_sources" ] || debian_sources=/etc/apt/sources.list

image_recipe() {
    cat "$guest/image.sh" "$guest/packages" "$guest/init" "$debian_sources" | sha256sum | cut -d' ' -f1
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
        bookworm "$scratch/root" "$debian_sources"
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
