# Sourced by tools/wine-run and tools/wine-fresh-run. A test that CTest gave a shard (resource
# "shard": CTEST_RESOURCE_GROUP_0_SHARD="id:K,slots:1") runs in that shard's prefix and on its
# display, as tools/wine-env.sh wrote them to $TIVEN_SHARD_DIR/K.env. The allocation is then
# dropped from the environment, so a runner started from this one keeps what it is given.
if [ -n "${CTEST_RESOURCE_GROUP_0_SHARD:-}" ]; then
    _shard=${CTEST_RESOURCE_GROUP_0_SHARD#id:}
    _shard=${_shard%%,*}
    if [ -z "${TIVEN_SHARD_DIR:-}" ] || [ ! -f "$TIVEN_SHARD_DIR/$_shard.env" ]; then
        echo "${0##*/}: CTest gave shard $_shard, but the harness has no such shard" >&2
        exit 125
    fi
    eval "$(sed 's/^/export /' "$TIVEN_SHARD_DIR/$_shard.env")"
    unset CTEST_RESOURCE_GROUP_0_SHARD CTEST_RESOURCE_GROUP_0 CTEST_RESOURCE_GROUP_COUNT _shard
fi
