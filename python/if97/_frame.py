"""States over the columns of a pandas DataFrame (pandas is imported on use)."""

import numpy as np

from . import _if97

# The given quantities of each pair, in the order the functions take them.
PAIRS = {
    "pt": ("p", "t"), "ph": ("p", "h"), "ps": ("p", "s"), "hs": ("h", "s"),
    "px": ("p", "x"), "tx": ("t", "x"), "sat-p": ("p",), "sat-t": ("t",),
}


def frame(df, pair="pt", columns=None, *, properties=None, prefix="", keep=True, threads=1):
    """The states of the rows of a DataFrame, as columns beside its own.

    Parameters
    ----------
    df : pandas.DataFrame
        One state per row; its index is kept (duplicates too). Missing
        values (NaN, None, pd.NA) give rows without a state.
    pair : str
        The given quantities, as the if97 command names them: "pt", "ph",
        "ps", "hs", "px", "tx", "sat-p" or "sat-t". Units: p in MPa, t in
        degC, h in kJ/kg, s in kJ/(kg K), x from 0 to 1.
    columns : sequence of str, optional
        The columns that hold them, in the pair's order; by default the
        quantities' own names (("p", "t") for "pt").
    properties : iterable of str, optional
        The properties to add (if97.PROPERTIES); all by default.
    prefix : str, optional
        Put before every added column's name.
    keep : bool, optional
        True (the default): a copy of df with the states' columns added;
        False: the states' columns alone, on df's index.
    threads : int, optional
        As in if97.state_pt.

    Returns
    -------
    pandas.DataFrame
        For a state pair the properties, then region (int8), phase (a
        categorical of the phase names, missing without a state) and error
        (int8, 0 where the state exists). For "sat-p" and "sat-t" each of
        these but error once per phase, named as the if97 command names its
        CSV columns: h_water, h_steam, region_water, ...

    A quantity whose column already holds the given value (p and t for
    "pt" in the columns p and t) is not added again: the given column stays
    as it is. Any other name that df already has raises ValueError (use
    prefix).

    Examples
    --------
    >>> import pandas as pd
    >>> df = pd.DataFrame({"p": [5, 150], "t": [300, 20]}, index=["a", "b"])
    >>> out = frame(df, "pt", properties=["h"])
    >>> list(out.columns), out.index.tolist(), out["error"].tolist()
    (['p', 't', 'h', 'region', 'phase', 'error'], ['a', 'b'], [0, 1])
    """
    import pandas as pd

    from . import saturation_p, saturation_t, state_hs, state_ph, state_ps, state_pt, state_px, \
        state_tx

    if pair not in PAIRS:
        raise ValueError(f"no pair {pair!r}; the pairs are {', '.join(PAIRS)}")
    given = PAIRS[pair]
    columns = given if columns is None else tuple(columns)
    if len(columns) != len(given):
        raise ValueError(f"pair {pair!r} takes {len(given)} columns, not {len(columns)}")
    values = [df[c].to_numpy(dtype=np.float64, na_value=np.nan) for c in columns]

    new = {}
    if pair.startswith("sat-"):
        function = saturation_p if pair == "sat-p" else saturation_t
        result = function(*values, properties=properties, threads=threads)
        for phase_name, phase in (("water", result.water), ("steam", result.steam)):
            _add_phase(new, phase, "_" + phase_name, pd)
        new["error"] = result.error
    else:
        function = {"pt": state_pt, "ph": state_ph, "ps": state_ps, "hs": state_hs,
                    "px": state_px, "tx": state_tx}[pair]
        result = function(*values, properties=properties, threads=threads)
        _add_phase(new, result, "", pd)
        new["error"] = result.error

    added = {}
    for name, column in new.items():
        name = prefix + name
        if keep and name in df.columns:
            if name in columns and name[len(prefix):] in given:
                continue
            raise ValueError(f"the DataFrame has a column {name!r} already; give a prefix")
        added[name] = column
    # The new arrays become the frame's columns as they are, without a copy
    # (inserting or concatenating would copy each); the given frame's own
    # columns are copied, so that the two frames share nothing.
    if not keep:
        return pd.DataFrame(added, index=df.index, copy=False)
    if not df.columns.is_unique or isinstance(df.columns, pd.MultiIndex):
        return pd.concat([df.copy(), pd.DataFrame(added, index=df.index, copy=False)], axis=1)
    data = {name: df[name].array.copy() for name in df.columns}
    data.update(added)
    out = pd.DataFrame(data, index=df.index, copy=False)
    out.columns.name = df.columns.name
    return out


def _add_phase(new, result, suffix, pd):
    for name, column in result.to_dict().items():
        if name not in ("region", "phase", "error"):
            new[name + suffix] = column
    new["region" + suffix] = result.region
    new["phase" + suffix] = pd.Categorical.from_codes(result.phase, categories=list(_if97.PHASES))
