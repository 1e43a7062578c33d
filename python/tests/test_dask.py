"""A Dask DataFrame's states on a cluster of worker processes equal the
serial computation bit for bit, in the original order."""

import hashlib
import os
import time

import numpy as np
import pandas as pd
import pytest

import if97
from conftest import assert_same_bits

dd = pytest.importorskip("dask.dataframe")
distributed = pytest.importorskip("distributed")

ROWS = 1_200_000
PARTITIONS = 8


@pytest.mark.filterwarnings("ignore:make_current is deprecated:DeprecationWarning")
def test_map_partitions_on_a_local_cluster(capsys):
    def digest_of(part):
        """A digest of a frame's index, column names and every value's bits
        (defined here so that it travels to the workers by value)."""
        h = hashlib.blake2b()
        h.update(part.index.to_numpy().tobytes())
        for name, column in part.items():
            values = column.cat.codes if isinstance(column.dtype, pd.CategoricalDtype) else column
            h.update(name.encode())
            h.update(np.ascontiguousarray(values.to_numpy()).tobytes())
        return h.hexdigest()

    # Liquid below 150 degC from 1 MPa, steam above 300 degC up to 5 MPa,
    # with refused rows amid them.
    rng = np.random.default_rng(2024)
    liquid = rng.random(ROWS) < 0.5
    df = pd.DataFrame({"p": np.where(liquid, rng.uniform(1, 100, ROWS), rng.uniform(0.001, 5, ROWS)),
                       "t": np.where(liquid, rng.uniform(0, 150, ROWS), rng.uniform(300, 800, ROWS))},
                      index=pd.RangeIndex(ROWS, name="row"))
    df.iloc[::1000, 1] = np.nan

    # The workers import if97 from where this process found it (the build
    # tree under ctest), as every worker of a real cluster imports the
    # installed package.
    package_parent = os.path.dirname(os.path.dirname(if97.__file__))
    env = {"PYTHONPATH": os.pathsep.join(filter(None, [package_parent,
                                                        os.environ.get("PYTHONPATH")]))}
    with distributed.LocalCluster(n_workers=2, processes=True, threads_per_worker=1,
                                  dashboard_address=None, env=env) as cluster, \
            distributed.Client(cluster) as client:
        ddf = client.persist(dd.from_pandas(df, npartitions=PARTITIONS))
        distributed.wait(ddf)
        states = ddf.map_partitions(if97.frame, "pt")
        # The states stay on the workers, as they would be written out from
        # there; what comes back is each partition's digest and length.
        summary = states.map_partitions(
            lambda part: pd.DataFrame({"digest": [digest_of(part)], "rows": [len(part)]}),
            meta={"digest": object, "rows": np.int64})
        start = time.perf_counter()
        parts = summary.compute()
        seconds = time.perf_counter() - start
        one = states.get_partition(3).compute()  # and one partition whole
        workers = client.run(lambda: __import__("if97").__file__)

    assert len(workers) == 2 and all(f.startswith(package_parent) for f in workers.values())
    serial = if97.frame(df, "pt")
    assert len(parts) == PARTITIONS and parts["rows"].sum() == ROWS
    bounds = np.concatenate([[0], np.cumsum(parts["rows"])])
    expected = [digest_of(serial.iloc[a:b]) for a, b in zip(bounds[:-1], bounds[1:])]
    assert parts["digest"].tolist() == expected
    whole = serial.iloc[bounds[3]:bounds[4]]
    assert one.index.equals(whole.index) and list(one.columns) == list(whole.columns)
    for name in ("h", "s", "v", "w"):
        assert_same_bits(one[name].to_numpy(), whole[name].to_numpy(), name)
    assert (serial["error"] != 0).sum() == len(range(0, ROWS, 1000))
    with capsys.disabled():
        print(f"\n  dask: {ROWS} rows in {PARTITIONS} partitions on 2 worker processes: "
              f"{seconds:.2f} s, {ROWS / seconds:,.0f} rows/s")
