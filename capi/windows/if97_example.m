% Properties of water and steam in MATLAB from if97.dll, the C interface of
% the steamcalc property library (64-bit MATLAB on Windows).
%
% Run in the folder that holds if97.dll and if97_c.h. loadlibrary reads the
% header with a C compiler that MATLAB supports (mex -setup C; for instance
% the MinGW-w64 add-on).
% Units: p MPa, t degC, h and u kJ/kg, s, cp, cv kJ/(kg K), v m3/kg, w m/s.

if ~libisloaded('if97')
    loadlibrary('if97', 'if97_c.h');
end
fprintf('if97 %s\n', calllib('if97', 'if97_version_string'));

% One property by name: water at 3 MPa with h = 500 kJ/kg.
t = calllib('if97', 'if97_value', 'ph', 3, 500, 't');
fprintf('t(p = 3 MPa, h = 500 kJ/kg) = %.4f degC\n', t);

% The whole state: the struct comes back as the second output.
[code, steam] = calllib('if97', 'if97_pt', 5, 300, libstruct('if97_state'));
if code ~= 0
    error('if97:state', '%s', calllib('if97', 'if97_describe', code));
end
fprintf('steam at 5 MPa, 300 degC: h = %.2f kJ/kg, s = %.4f kJ/(kg K), region %d\n', ...
        steam.h, steam.s, steam.region);

% Both saturated phases at 1 MPa.
[code, water, steam] = calllib('if97', 'if97_sat_p', 1, ...
                               libstruct('if97_state'), libstruct('if97_state'));
fprintf('1 MPa: t = %.3f degC, h'' = %.2f, h'''' = %.2f kJ/kg\n', water.t, water.h, steam.h);

% A curve: h along the 10 MPa isobar. A refused state is NaN, and
% if97_last_error says why.
ts = 0:10:800;
hs = arrayfun(@(t) calllib('if97', 'if97_value', 'pt', 10, t, 'h'), ts);
fprintf('h(10 MPa): %d of %d temperatures give a state\n', nnz(~isnan(hs)), numel(ts));
h = calllib('if97', 'if97_value', 'pt', 150, 20, 'h');
if isnan(h)
    fprintf('pt(150 MPa, 20 degC): %s\n', ...
            calllib('if97', 'if97_describe', calllib('if97', 'if97_last_error')));
end

unloadlibrary('if97');
