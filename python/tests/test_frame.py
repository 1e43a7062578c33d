"""if97.frame: the states of a DataFrame's rows as its columns."""

import numpy as np
import pandas as pd
import pytest

import if97
from conftest import assert_same_bits, sweep


def test_pt_columns_follow_the_frame_and_keep_its_index():
    p, t = sweep("pt", 400)
    df = pd.DataFrame({"p": p, "t": t, "tag": np.arange(400)},
                      index=pd.Index(np.repeat(np.arange(200), 2)[::-1], name="id"))
    df.iloc[7, 0] = None
    out = if97.frame(df, "pt")
    direct = if97.state_pt(df["p"].to_numpy(), t)
    names = [name for name, _, _ in if97.PROPERTIES if name not in ("p", "t")]
    assert list(out.columns) == ["p", "t", "tag", *names, "region", "phase", "error"]
    assert out.index.equals(df.index) and out["tag"].tolist() == list(range(400))
    assert np.isnan(out["p"].iloc[7]) and out["error"].iloc[7] == if97.OUT_OF_RANGE
    for name in names:
        assert_same_bits(out[name].to_numpy(), getattr(direct, name), name)
    np.testing.assert_array_equal(out["error"], direct.error)
    np.testing.assert_array_equal(out["region"], direct.region)
    assert out["phase"].dtype == "category"
    np.testing.assert_array_equal(out["phase"].astype(object).fillna(""),
                                  if97.phase_names(direct.phase))
    assert df.columns.tolist() == ["p", "t", "tag"], "the given frame is left as it was"


def test_named_columns_prefix_and_states_alone():
    df = pd.DataFrame({"P": [3.0, 1.0], "H": [500.0, 2000.0]}, index=["a", "b"])
    out = if97.frame(df, "ph", columns=("P", "H"), properties=["t", "h", "x"], prefix="w.")
    assert list(out.columns) == ["P", "H", "w.t", "w.h", "w.x", "w.region", "w.phase",
                                 "w.error"]
    expected = if97.state_ph([3.0, 1.0], [500.0, 2000.0])
    assert_same_bits(out["w.t"].to_numpy(), expected.t)
    alone = if97.frame(df, "ph", columns=["P", "H"], properties="x", keep=False)
    assert list(alone.columns) == ["x", "region", "phase", "error"]
    assert alone.index.tolist() == ["a", "b"]
    with pytest.raises(ValueError, match="has a column 't' already"):
        if97.frame(pd.DataFrame({"p": [1.0], "h": [500.0], "t": [0.0]}), "ph")
    with pytest.raises(ValueError, match="no pair"):
        if97.frame(df, "pv")
    with pytest.raises(ValueError, match="takes 2 columns"):
        if97.frame(df, "ph", columns=["P"])


def test_saturation_columns_are_named_as_the_command_names_them():
    df = pd.DataFrame({"t": [100.0, 400.0, pd.NA]}, dtype="Float64")
    out = if97.frame(df, "sat-t", properties=["p", "h"])
    assert list(out.columns) == ["t", "p_water", "h_water", "region_water", "phase_water",
                                 "p_steam", "h_steam", "region_steam", "phase_steam", "error"]
    expected = if97.saturation_t([100.0, 400.0, np.nan])
    assert_same_bits(out["h_steam"].to_numpy(), expected.steam.h)
    assert out["error"].tolist() == [0, if97.NO_SATURATION, if97.NO_SATURATION]
    assert out["phase_water"].iloc[0] == "saturated" and pd.isna(out["phase_water"].iloc[1])


def test_an_empty_frame_gives_the_columns_alone():
    empty = pd.DataFrame({"p": pd.Series([], dtype=float), "t": pd.Series([], dtype=float)})
    out = if97.frame(empty, "pt", properties=["h", "s"])
    assert list(out.columns) == ["p", "t", "h", "s", "region", "phase", "error"] and len(out) == 0
    full = if97.frame(pd.DataFrame({"p": [5.0], "t": [300.0]}), "pt", properties=["h", "s"])
    assert (out.dtypes == full.dtypes).all()


def test_the_given_columns_keep_their_types_and_share_nothing():
    df = pd.DataFrame({"p": [5.0, 1.0], "t": [300.0, 100.0],
                       "site": pd.Categorical(["a", "b"]), "n": pd.array([1, None], "Int64")})
    df.columns.name = "quantity"
    out = if97.frame(df, "pt", properties=["h"])
    assert out.dtypes[["site", "n"]].tolist() == df.dtypes[["site", "n"]].tolist()
    assert out.columns.name == "quantity"
    out.loc[0, "p"] = 99.0
    assert df.loc[0, "p"] == 5.0
    repeated = pd.DataFrame([[5.0, 300.0, 1, 2]], columns=["p", "t", "tag", "tag"])
    out = if97.frame(repeated, "pt", properties=["h"])
    assert list(out.columns) == ["p", "t", "tag", "tag", "h", "region", "phase", "error"]
    assert out["h"].iloc[0] == if97.state_pt(5.0, 300.0).h
