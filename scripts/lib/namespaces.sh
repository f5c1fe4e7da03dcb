# Sourced by the scripts that mount: `mount_namespace_args` sets the array
# mount_namespace to unshare's arguments for a mount namespace whose mounts
# stay in it. Inside a chroot whose root is no mount point (a fresh root, a
# build root) the namespace's propagation cannot be changed: the mounts are
# then made as the parent's propagation has them, and the script must undo
# every mount it made itself, which it does in any case.
mount_namespace_args() {
  if unshare --mount --propagation private true 2>/dev/null; then
    mount_namespace=(--mount --propagation private)
  else
    mount_namespace=(--mount --propagation unchanged)
  fi
}
