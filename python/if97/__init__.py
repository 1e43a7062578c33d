"""Water and steam properties after IAPWS-IF97, for NumPy arrays.

The whole state of water or steam from one pair of given quantities, computed
by the steamcalc property library (its state API, if97_state.h) in C++:

    state_pt(p, t)      pressure, temperature
    state_ph(p, h)      pressure, specific enthalpy
    state_ps(p, s)      pressure, specific entropy
    state_hs(h, s)      specific enthalpy, specific entropy
    state_px(p, x)      pressure, dryness fraction (wet steam)
    state_tx(t, x)      temperature, dryness fraction (wet steam)
    saturation_p(p)     saturated water and steam at a pressure
    saturation_t(t)     saturated water and steam at a temperature
    frame(df, pair)     the same over the columns of a pandas DataFrame

Units, in and out: p in MPa, t in degC, h and u in kJ/kg, s, cp and cv in
kJ/(kg K), v in m3/kg, w in m/s, x from 0 to 1; PROPERTIES lists every
property with its unit.

Arguments are scalars or array-likes, broadcast against each other as NumPy
broadcasts. Each property of the result is a float64 array of the broadcast
shape (a Python float for scalar arguments). A state that does not exist
raises nothing: its element gets an error code (result.error, 0 where the
state exists, explained by result.description or describe(code)), NaN
properties, region 0 and phase -1, and the other elements are unaffected.
NaN and infinite arguments are refused so too.

The loop runs in C++ without the GIL; threads=n splits it over n threads
(0: one per processor), with the same results bit for bit. The results are
plain NumPy arrays and pickle.

>>> import if97
>>> r = if97.state_pt(5, 300)
>>> round(r.h, 4), r.region, r.phase_name
(2925.644, 2, 'steam')
>>> r = if97.state_pt([5, 150, 1], 300)
>>> r.error.tolist(), r.description.tolist()
([0, 1, 0], ['', 'out of range', ''])
"""

import operator

import numpy as np

from . import _if97
from ._frame import frame
from ._results import (ERRORS, PHASES, PROPERTIES, SaturationResult, StateResult,
                       describe, phase_names, _scalars, _ATTRIBUTE_NAMES, _PROPERTY_NAMES)

__all__ = [
    "state_pt", "state_ph", "state_ps", "state_hs", "state_px", "state_tx",
    "saturation_p", "saturation_t", "frame", "describe", "phase_names",
    "StateResult", "SaturationResult", "PROPERTIES", "PHASES", "ERRORS",
    "OK", "OUT_OF_RANGE", "NO_SATURATION", "ON_SATURATION_LINE", "NO_CONVERGENCE",
]

# The error codes as module constants: OK = 0, OUT_OF_RANGE, ...
for _code, _name, _ in ERRORS:
    globals()[_name] = _code
del _code, _name

_ALL_PROPERTIES = list(range(len(PROPERTIES)))


def _operand(value, name):
    try:
        return np.asarray(value, dtype=np.float64)
    except (TypeError, ValueError) as e:
        raise TypeError(f"{name} must be a number or an array of numbers: {e}") from None


def _selection(properties):
    if properties is None:
        return _ALL_PROPERTIES
    if isinstance(properties, str):
        properties = (properties,)
    selected = []
    for name in properties:
        key = _ATTRIBUTE_NAMES.get(name, name)
        if key not in _PROPERTY_NAMES:
            raise ValueError(f"no property {name!r}; the properties are {', '.join(_PROPERTY_NAMES)}")
        index = _PROPERTY_NAMES.index(key)
        if index not in selected:
            selected.append(index)
    return selected


def _threads(threads):
    threads = operator.index(threads)
    if threads < 0:
        raise ValueError("threads must be 0 (one per processor) or more")
    return threads


def _state(pair, a, b, names, properties, threads):
    columns = _if97.state(pair, _operand(a, names[0]), _operand(b, names[1]),
                          _selection(properties), _threads(threads))
    if columns["error"].ndim == 0:
        columns = _scalars(columns)
    return StateResult(columns)


def _saturation(by, a, properties, threads):
    columns = _if97.saturation(by, _operand(a, by), _selection(properties), _threads(threads))
    error = columns["error"]
    water, steam = columns["water"], columns["steam"]
    if error.ndim == 0:
        error, water, steam = error.item(), _scalars(water), _scalars(steam)
    water["error"] = steam["error"] = error
    return SaturationResult(StateResult(water), StateResult(steam))


_COMMON = """    properties : iterable of str, optional
        The properties to compute and keep (names as in if97.PROPERTIES;
        lambda_ or lambda); all by default. region, phase and error are
        always there.
    threads : int, optional
        Threads for the loop: 1 (the default) runs it on the calling thread,
        0 on one thread per processor. The results do not depend on it.

    Returns
    -------
    StateResult
        Every property as an array of the broadcast shape (Python floats
        for scalar arguments); region, phase and error as int8 arrays.
        Units: p MPa, t degC, h and u kJ/kg, s, cp and cv kJ/(kg K), v
        m3/kg, w m/s; help(if97.StateResult) lists every property with
        its unit.

    Elements without a state get NaN properties, region 0, phase -1 and an
    error code (OUT_OF_RANGE, ON_SATURATION_LINE, NO_SATURATION,
    NO_CONVERGENCE; describe(code) in English); no exception is raised for
    them, and the other elements are not affected.
"""


def state_pt(p, t, *, properties=None, threads=1):
    return _state("pt", p, t, ("p", "t"), properties, threads)


state_pt.__doc__ = """The single-phase state at pressure p and temperature t.

    Parameters
    ----------
    p : float or array_like
        Pressure, MPa: 0 < p <= 100.
    t : float or array_like
        Temperature, degC: 0 <= t <= 1000, and t <= 800 above 10 MPa.
        Broadcast against p.
""" + _COMMON + """
    h, s, v are bit for bit what the library's h_pt, s_pt and v_pt give.
    A (p, t) on the saturation line does not fix the state:
    ON_SATURATION_LINE.

    Examples
    --------
    >>> r = state_pt(5, 300)
    >>> round(r.h, 4), round(r.s, 6), r.region, r.phase_name
    (2925.644, 6.21094, 2, 'steam')
    >>> state_pt([1, 10, 150], [[100], [200]]).shape
    (2, 3)
"""


def state_ph(p, h, *, properties=None, threads=1):
    return _state("ph", p, h, ("p", "h"), properties, threads)


state_ph.__doc__ = """The state at pressure p with specific enthalpy h.

    Parameters
    ----------
    p : float or array_like
        Pressure, MPa: 0.001 <= p <= 100.
    h : float or array_like
        Specific enthalpy, kJ/kg: from h(p, 0 degC) up to 4642.8, with the
        temperature found within 0 to 1000 degC (800 degC above 10 MPa).
        Broadcast against p.
""" + _COMMON + """
    Between the saturated values the state is wet steam (phase saturated,
    region 4, x from h; cp, cv and w NaN). The temperature is refined on the
    forward equations until h_pt gives back h to 1e-10 relative; result.h is
    that forward value.

    Examples
    --------
    >>> r = state_ph(3, 500)
    >>> round(r.t, 6), r.region
    (118.641991, 1)
    >>> round(state_ph(1, 2000).x, 6)
    0.614225
"""


def state_ps(p, s, *, properties=None, threads=1):
    return _state("ps", p, s, ("p", "s"), properties, threads)


state_ps.__doc__ = """The state at pressure p with specific entropy s.

    Parameters
    ----------
    p : float or array_like
        Pressure, MPa: 0.001 <= p <= 100.
    s : float or array_like
        Specific entropy, kJ/(kg K): from s(100 MPa, 0 degC) to
        s(0.001 MPa, 1000 degC), with the temperature found within 0 to
        1000 degC (800 degC above 10 MPa). Broadcast against p.
""" + _COMMON + """
    Between the saturated values the state is wet steam (region 4). The
    temperature is refined until s_pt gives back s to 1e-10 relative.

    Examples
    --------
    >>> r = state_ps(5, 6.21094039)
    >>> round(r.t, 4), r.region
    (300.0, 2)
"""


def state_hs(h, s, *, properties=None, threads=1):
    return _state("hs", h, s, ("h", "s"), properties, threads)


state_hs.__doc__ = """The state with specific enthalpy h and specific entropy s.

    Parameters
    ----------
    h : float or array_like
        Specific enthalpy, kJ/kg.
    s : float or array_like
        Specific entropy, kJ/(kg K). Broadcast against h. The state found
        must lie within state_pt's range (0 < p <= 100 MPa, 0 to 1000 degC,
        800 degC above 10 MPa).
""" + _COMMON + """
    Below the saturation line the state is wet steam (region 4).
"""


def state_px(p, x, *, properties=None, threads=1):
    return _state("px", p, x, ("p", "x"), properties, threads)


state_px.__doc__ = """Wet steam at pressure p with dryness fraction x.

    Parameters
    ----------
    p : float or array_like
        Pressure, MPa: 0.000611213 <= p <= 22.064 (the saturation line).
    x : float or array_like
        Dryness fraction: 0 <= x <= 1. Broadcast against p.
""" + _COMMON + """
    x = 0 and x = 1 give saturated water and steam with cp, cv and w; in
    between they are NaN. Outside the saturation pressures: NO_SATURATION;
    x outside 0..1: OUT_OF_RANGE.

    Examples
    --------
    >>> r = state_px(1, [0, 0.5, 1])
    >>> r.region.tolist(), r.phase_name.tolist()
    ([1, 4, 2], ['saturated', 'saturated', 'saturated'])
"""


def state_tx(t, x, *, properties=None, threads=1):
    return _state("tx", t, x, ("t", "x"), properties, threads)


state_tx.__doc__ = """Wet steam at temperature t with dryness fraction x.

    Parameters
    ----------
    t : float or array_like
        Temperature, degC: 0 <= t <= 373.946 (the saturation line).
    x : float or array_like
        Dryness fraction: 0 <= x <= 1. Broadcast against t.
""" + _COMMON + """
    As state_px at the saturation pressure of t.
"""

_SATURATION_COMMON = """    properties : iterable of str, optional
        The properties to compute for each phase; all by default.
    threads : int, optional
        Threads for the loop: 1 (the default) the calling thread, 0 one per
        processor. The results do not depend on it.

    Returns
    -------
    SaturationResult
        .water and .steam, a StateResult each (saturated water, x = 0, and
        saturated steam, x = 1), and .error, .description, .ok per element.
        Where there is no saturation state (NO_SATURATION, NO_CONVERGENCE)
        both phases have NaN properties; no exception is raised.
"""


def saturation_p(p, *, properties=None, threads=1):
    return _saturation("p", p, properties, threads)


saturation_p.__doc__ = """Saturated water and steam at pressure p.

    Parameters
    ----------
    p : float or array_like
        Pressure, MPa: 0.000611213 <= p <= 22.064.
""" + _SATURATION_COMMON + """
    Examples
    --------
    >>> r = saturation_p(1)
    >>> round(r.water.t, 6), round(r.water.h, 3), round(r.steam.h, 3)
    (179.885632, 762.683, 2777.12)
"""


def saturation_t(t, *, properties=None, threads=1):
    return _saturation("t", t, properties, threads)


saturation_t.__doc__ = """Saturated water and steam at temperature t.

    Parameters
    ----------
    t : float or array_like
        Temperature, degC: 0 <= t <= 373.946.
""" + _SATURATION_COMMON + """
    Examples
    --------
    >>> r = saturation_t([100, 400])
    >>> r.error.tolist(), r.description.tolist()
    ([0, 2], ['', 'no saturation state'])
"""
