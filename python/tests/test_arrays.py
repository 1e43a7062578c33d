"""Arrays: broadcasting, strides, bad elements, threads, selection, pickling."""

import doctest
import math
import pickle

import numpy as np
import pytest

import if97
from conftest import STATE_PAIRS, assert_same_bits, assert_same_results, sweep


def elementwise(function, *arguments):
    """The result element by element, from scalar calls, as arrays."""
    shape = np.broadcast_shapes(*(np.shape(a) for a in arguments))
    cells = [function(*(float(a) for a in values))
             for values in zip(*(np.broadcast_to(a, shape).ravel() for a in arguments))]
    return {name: np.array([getattr(c, name) for c in cells]).reshape(shape)
            for name in cells[0].keys()}


@pytest.mark.parametrize("p_shape, t_shape, shape", [
    ((3, 1), (4,), (3, 4)),
    ((), (2, 3), (2, 3)),
    ((2, 1, 3), (1, 4, 1), (2, 4, 3)),
    ((5,), (1,), (5,)),
    ((0,), (), (0,)),
    ((0, 3), (1, 3), (0, 3)),
])
def test_arguments_broadcast_as_numpy_broadcasts(p_shape, t_shape, shape):
    rng = np.random.default_rng(1)
    p = rng.uniform(0.01, 120, p_shape)
    t = rng.uniform(-10, 900, t_shape)
    result = if97.state_pt(p, t)
    assert result.shape == shape
    for name, expected in elementwise(if97.state_pt, p, t).items() if result.error.size else []:
        assert_same_bits(getattr(result, name), expected, name) if expected.dtype.kind == "f" \
            else np.testing.assert_array_equal(getattr(result, name), expected, err_msg=name)
    assert all(getattr(result, name).shape == shape for name in result.keys())


def test_strided_views_give_what_their_copies_give():
    p, t = sweep("pt", 2400, seed=3)
    grid_p, grid_t = p.reshape(40, 60), t.reshape(40, 60)
    views = [
        (grid_p[::3, 1::2], grid_t[::3, 1::2]),        # steps on both axes
        (grid_p.T, grid_t.T),                           # Fortran order
        (grid_p[::-1, ::-2], grid_t[::-1, ::-2]),      # negative strides
        (np.broadcast_to(grid_p[:, :1], (40, 60)), grid_t),  # stride 0
        (grid_p[5], grid_t[:, 7][:, None]),             # broadcast between views
    ]
    big_endian = grid_p.astype(">f8"), grid_t.astype(">f8")
    for a, b in [*views, big_endian]:
        expected = if97.state_pt(np.ascontiguousarray(a), np.ascontiguousarray(b))
        assert_same_results(if97.state_pt(a, b), expected)
        assert_same_results(if97.state_pt(a, b, threads=3), expected)
    unaligned = np.frombuffer(b"\0" + grid_p.tobytes(), dtype=np.float64, count=2400, offset=1)
    assert not unaligned.flags.aligned
    assert_same_results(if97.state_pt(unaligned, t), if97.state_pt(p, t))


def test_incompatible_shapes_and_non_numbers_raise():
    with pytest.raises(ValueError, match="could not be broadcast"):
        if97.state_pt(np.ones(3), np.ones(4))
    with pytest.raises(TypeError, match="p must be a number"):
        if97.state_pt("five", 300)
    with pytest.raises(TypeError):
        if97.state_px(1, [0.5, None, object()])
    with pytest.raises(ValueError, match="threads"):
        if97.state_pt(1, 100, threads=-1)
    with pytest.raises(TypeError):
        if97.state_pt(1, 100, threads=1.5)


def test_scalars_lists_and_integers_are_accepted():
    r = if97.state_pt(5, 300)
    assert type(r.h) is float and type(r.region) is int and type(r.error) is int
    assert type(r.description) is str and r.phase_name == "steam"
    assert if97.state_pt(np.float32(5), np.int64(300)).h == r.h
    listed = if97.state_pt([5, 5.0], [[300], [300]])
    assert listed.shape == (2, 2) and (listed.h == r.h).all()
    zero_d = if97.state_pt(np.array(5.0), np.array(300.0))
    assert type(zero_d.h) is float


# Bad elements amid good ones: each refused alone, the others untouched.
BAD_ELEMENTS = [
    ("pt", (math.nan, 300), if97.OUT_OF_RANGE),
    ("pt", (5, math.nan), if97.OUT_OF_RANGE),
    ("pt", (math.inf, 300), if97.OUT_OF_RANGE),
    ("pt", (150, 20), if97.OUT_OF_RANGE),
    ("pt", (0, 20), if97.OUT_OF_RANGE),
    ("pt", (-1, 20), if97.OUT_OF_RANGE),
    ("pt", (20, 900), if97.OUT_OF_RANGE),
    ("ph", (3, math.nan), if97.OUT_OF_RANGE),
    ("ph", (3, -math.inf), if97.OUT_OF_RANGE),
    ("ph", (3, 5000), if97.OUT_OF_RANGE),
    ("ph", (-math.inf, 500), if97.OUT_OF_RANGE),
    ("ps", (math.nan, 6), if97.OUT_OF_RANGE),
    ("ps", (3, math.inf), if97.OUT_OF_RANGE),
    ("ps", (3, 20), if97.OUT_OF_RANGE),
    ("hs", (math.nan, 6), if97.OUT_OF_RANGE),
    ("hs", (2900, -math.inf), if97.OUT_OF_RANGE),
    ("px", (math.nan, 0.5), if97.NO_SATURATION),
    ("px", (30, 0.5), if97.NO_SATURATION),
    ("px", (1, math.nan), if97.OUT_OF_RANGE),
    ("px", (1, math.inf), if97.OUT_OF_RANGE),
    ("px", (1, 1.5), if97.OUT_OF_RANGE),
    ("tx", (math.nan, 0.5), if97.NO_SATURATION),
    ("tx", (400, 0.5), if97.NO_SATURATION),
    ("tx", (-math.inf, 0.5), if97.NO_SATURATION),
    ("tx", (100, -0.1), if97.OUT_OF_RANGE),
]


@pytest.mark.parametrize("pair, bad, code", BAD_ELEMENTS)
def test_a_bad_element_is_refused_alone(pair, bad, code):
    function = STATE_PAIRS[pair]
    good = {"pt": (5, 300), "ph": (3, 500), "ps": (5, 6.2), "hs": (2900, 6.2), "px": (1, 0.3),
            "tx": (100, 0.3)}[pair]
    a = np.array([good[0], bad[0], good[0]])
    b = np.array([good[1], bad[1], good[1]])
    result = function(a, b)
    assert result.error[1] == code
    assert result.description[1] == if97.describe(code) != ""
    assert result.region[1] == 0 and result.phase[1] == -1 and result.phase_name[1] == ""
    clean = function(good[0], good[1])
    for name in result.keys():
        values = getattr(result, name)
        if name not in ("region", "phase", "error"):
            assert math.isnan(values[1]), name
        for i in (0, 2):
            assert_same_bits(values[i], getattr(clean, name), name)


def test_saturation_refuses_nan_and_the_range_alone():
    for function, bad in ((if97.saturation_p, [1, math.nan, 23, -1, math.inf, 1]),
                          (if97.saturation_t, [100, math.nan, 374, -5, -math.inf, 100])):
        r = function(bad)
        np.testing.assert_array_equal(r.error, [0, 2, 2, 2, 2, 0])
        for phase in (r.water, r.steam):
            assert np.isnan(phase.h[1:5]).all() and (phase.region[1:5] == 0).all()
            assert (phase.phase[1:5] == -1).all() and phase.error is r.error
        assert r.water.h[0] == r.water.h[5] and r.steam.region[0] == 2


def test_on_the_saturation_line_pt_is_refused():
    t_sat = if97.saturation_p(1).water.t
    r = if97.state_pt([1, 1], [t_sat, 300])
    np.testing.assert_array_equal(r.error, [if97.ON_SATURATION_LINE, 0])


@pytest.mark.parametrize("pair", ["pt", "ph", "ps", "px", "tx", "sat-p"])
def test_threads_give_the_results_of_one_thread(pair):
    arguments = sweep(pair, 20000, seed=11)
    function = {**STATE_PAIRS, "sat-p": if97.saturation_p}[pair]
    one = function(*arguments)
    for threads in (2, 0, 7):
        many = function(*arguments, threads=threads)
        if pair.startswith("sat-"):
            assert_same_results(many.water, one.water)
            assert_same_results(many.steam, one.steam)
        else:
            assert_same_results(many, one)
    tiny = function(*(a[:3] for a in arguments), threads=4)
    assert tiny.shape == (3,)


def test_selected_properties_equal_the_full_result():
    p, t = sweep("pt", 500)
    full = if97.state_pt(p, t)
    some = if97.state_pt(p, t, properties=["v", "lambda_", "h", "v"])
    assert some.keys() == ["v", "lambda", "h", "region", "phase", "error"]
    for name in ("v", "h", "region", "phase", "error"):
        assert_same_bits(getattr(some, name), getattr(full, name), name)
    assert_same_bits(getattr(some, "lambda"), some.lambda_)
    with pytest.raises(AttributeError, match="left out of properties"):
        some.cp
    with pytest.raises(AttributeError):
        some.enthalpy
    with pytest.raises(ValueError, match="no property 'enthalpy'"):
        if97.state_pt(p, t, properties=["enthalpy"])
    assert if97.state_pt(p, t, properties=[]).keys() == ["region", "phase", "error"]
    sat = if97.saturation_t(100, properties="h")
    assert sat.water.keys() == ["h", "region", "phase", "error"]


def test_every_property_of_the_library_is_a_column():
    names = [name for name, _, _ in if97.PROPERTIES]
    assert names[:9] == ["p", "t", "h", "s", "v", "u", "cp", "cv", "w"] and "lambda" in names
    r = if97.state_pt([5], [300])
    assert r.keys() == names + ["region", "phase", "error"]
    assert all(getattr(r, name).dtype == np.float64 for name in names)
    assert all(getattr(r, name).dtype == np.int8 for name in ("region", "phase", "error"))
    assert "lambda_" in dir(r) and "eta" in dir(r)


def test_results_pickle_with_every_bit():
    p, t = sweep("pt", 1000)
    results = [if97.state_pt(p, t), if97.state_pt(5, 300), if97.state_pt(np.nan, 1),
               if97.saturation_t(np.linspace(-5, 380, 50)), if97.saturation_p(1)]
    for result in results:
        for protocol in (2, pickle.HIGHEST_PROTOCOL):
            back = pickle.loads(pickle.dumps(result, protocol=protocol))
            assert type(back) is type(result)
            pairs = ([(back.water, result.water), (back.steam, result.steam)]
                     if isinstance(result, if97.SaturationResult) else [(back, result)])
            for b, r in pairs:
                assert_same_results(b, r)


def test_codes_and_names():
    assert [if97.OK, if97.OUT_OF_RANGE, if97.NO_SATURATION, if97.ON_SATURATION_LINE,
            if97.NO_CONVERGENCE] == [0, 1, 2, 3, 4]
    assert if97.describe(0) == "" and if97.describe(2) == "no saturation state"
    np.testing.assert_array_equal(if97.describe([3, 4]), ["on the saturation line",
                                                          "no convergence"])
    assert if97.PHASES == ("liquid", "steam", "supercritical", "saturated")
    np.testing.assert_array_equal(if97.phase_names([2, -1, 0]), ["supercritical", "", "liquid"])
    assert if97.state_pt(30, 700).phase_name == "supercritical"
    assert if97.state_pt(3, 26.85).phase_name == "liquid"


def test_help_reads_as_a_manual_and_its_examples_run():
    text = if97.state_pt.__doc__
    for words in ("Pressure, MPa: 0 < p <= 100", "Temperature, degC", "threads", "Returns",
                  "OUT_OF_RANGE"):
        assert words in text
    assert "Specific enthalpy, kJ/kg" in if97.state_ph.__doc__
    assert "kJ/(kg K)" in if97.StateResult.__doc__ and "lambda_" in if97.StateResult.__doc__
    for module in (if97, if97._frame, if97._results):
        failed, attempted = doctest.testmod(module, optionflags=doctest.ELLIPSIS)
        assert attempted > 0 and failed == 0, module.__name__


def test_a_result_too_large_to_hold_raises():
    huge = np.broadcast_to(1.0, (2**40,))
    with pytest.raises((ValueError, MemoryError)):
        if97.state_pt(huge, huge[:, None])


def test_the_loop_runs_without_the_gil():
    # While one thread computes a long array, this one keeps running: the
    # longest pause between its steps is a small part of the call.
    import threading
    import time

    p, t = np.full(600_000, 3.0), np.linspace(1, 200, 600_000)
    done = []
    worker = threading.Thread(target=lambda: done.append(if97.state_pt(p, t, properties="h")))
    steps = [time.perf_counter()]
    worker.start()
    while worker.is_alive():
        steps.append(time.perf_counter())
    worker.join()
    call = steps[-1] - steps[0]
    assert done and done[0].ok.all()
    assert np.diff(steps).max() < 0.5 * call, f"paused {np.diff(steps).max():.3f} s of {call:.3f} s"
